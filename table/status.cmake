# The status pictures of the table (score panels, bubbles, round panel, clocks)
# and the fonts of the window's controls.
add_library(varnok_status STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clock_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clock_drawing.h
  ${CMAKE_CURRENT_LIST_DIR}/control_fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_fonts.h
  ${CMAKE_CURRENT_LIST_DIR}/status_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_drawing.h
  ${CMAKE_CURRENT_LIST_DIR}/status_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_text.h
)
target_include_directories(varnok_status PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_status PUBLIC varnok_table varnok_i18n PRIVATE varnok_warnings)
# The engine's card lists have a member named "slots"; nothing here declares
# signals or slots.
target_compile_definitions(varnok_status PRIVATE QT_NO_KEYWORDS)
