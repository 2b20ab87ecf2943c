# The chat line of network games: the entry field, its send button and the
# chat picture on the table, with the hidden key sequence of the send button.
add_library(varnok_chat STATIC
  ${CMAKE_CURRENT_LIST_DIR}/chat_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chat_bar.h
)
set_target_properties(varnok_chat PROPERTIES AUTOMOC ON)
target_include_directories(varnok_chat PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_chat PUBLIC varnok_view varnok_status varnok_dialogs varnok_i18n
                      PRIVATE varnok_warnings)
# The engine's headers come along with the input rules; signals and slots are
# spelled Q_SIGNALS and Q_SLOTS.
target_compile_definitions(varnok_chat PRIVATE QT_NO_KEYWORDS)
