# Read by CTest after the discovered tests: the tests that measure how long
# the event loop stands still run alone, so that the suite's other programs
# (servers, whole games) do not take the cores from under the measurement.
foreach(name IN LISTS varnok_window_tests_TESTS)
  if(name MATCHES "^EveryWindowMode/EventLoop\\.NoGapAbove30Ms")
    set_tests_properties("${name}" PROPERTIES RUN_SERIAL TRUE)
  endif()
endforeach()
