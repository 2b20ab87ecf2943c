# The menu screen: the places of its controls, the club list and the screen
# itself with its buttons, pictures, animations, clocks and badges.
add_library(varnok_menu STATIC
  ${CMAKE_CURRENT_LIST_DIR}/club_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/club_list.h
  ${CMAKE_CURRENT_LIST_DIR}/menu_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/menu_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_screen.h
)
set_target_properties(varnok_menu PROPERTIES AUTOMOC ON)
target_include_directories(varnok_menu PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_menu PUBLIC varnok_view varnok_status varnok_records varnok_i18n
                      PRIVATE varnok_warnings)
# The engine's headers sit beside Qt's here; signals are spelled Q_SIGNALS.
target_compile_definitions(varnok_menu PRIVATE QT_NO_KEYWORDS)
