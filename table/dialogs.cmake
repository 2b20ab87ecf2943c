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
