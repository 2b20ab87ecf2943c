# The game dialogs (trump, order, speed, about) and the input rules of the
# table: the hand layout under the mouse, cursors, hints, spoken cards and
# the hidden diagnostic key sequence.
add_library(varnok_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_window.h
  ${CMAKE_CURRENT_LIST_DIR}/dialog_look.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_look.h
  ${CMAKE_CURRENT_LIST_DIR}/form_mast.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_message.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_message.h
  ${CMAKE_CURRENT_LIST_DIR}/form_mast.h
  ${CMAKE_CURRENT_LIST_DIR}/form_zakaz.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_zakaz.h
  ${CMAKE_CURRENT_LIST_DIR}/hand_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hand_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/input_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_rules.h
  ${CMAKE_CURRENT_LIST_DIR}/speed_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/speed_window.h
)
set_target_properties(varnok_dialogs PROPERTIES AUTOMOC ON)
target_include_directories(varnok_dialogs PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_dialogs PUBLIC varnok_table varnok_engine varnok_i18n PRIVATE varnok_warnings)
# The engine's headers sit beside Qt's here; signals and slots are spelled
# Q_SIGNALS and Q_SLOTS.
target_compile_definitions(varnok_dialogs PRIVATE QT_NO_KEYWORDS)

# The widget tests of the dialogs click like a person, with Qt Test. Their
# program is made later (in tests/), so it is linked once everything is read.
find_package(Qt6 COMPONENTS Test GLOBAL)
function(varnok_dialogs_tests_use_qt_test)
  if(TARGET varnok_dialogs_tests AND TARGET Qt6::Test)
    target_link_libraries(varnok_dialogs_tests PRIVATE Qt6::Test)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL varnok_dialogs_tests_use_qt_test)
