# The chat window of the club's chat board: the board of ten messages, the
# text field with its send and refresh pictures, and the posting under the
# player's passport, on the HTTP layer of the club's server.
add_library(varnok_chatboard STATIC
  ${CMAKE_CURRENT_LIST_DIR}/chat_board_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chat_board_view.h
  ${CMAKE_CURRENT_LIST_DIR}/form_chat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_chat.h
)
set_target_properties(varnok_chatboard PROPERTIES AUTOMOC ON)
target_include_directories(varnok_chatboard PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_chatboard PUBLIC varnok_dialogs varnok_online varnok_i18n PRIVATE varnok_warnings)
target_compile_definitions(varnok_chatboard PRIVATE QT_NO_KEYWORDS)
