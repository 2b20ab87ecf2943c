# The record windows: the score information window, the history of games,
# the local top ten and the end-of-match window, built on the records'
# data (club files, top ten, history files).
add_library(varnok_recwin STATIC
  ${CMAKE_CURRENT_LIST_DIR}/form_end_match.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_end_match.h
  ${CMAKE_CURRENT_LIST_DIR}/form_history.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_history.h
  ${CMAKE_CURRENT_LIST_DIR}/form_score.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_score.h
  ${CMAKE_CURRENT_LIST_DIR}/form_top_ten.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_top_ten.h
  ${CMAKE_CURRENT_LIST_DIR}/recwin_count.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recwin_count.h
  ${CMAKE_CURRENT_LIST_DIR}/recwin_look.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recwin_look.h
)
set_target_properties(varnok_recwin PROPERTIES AUTOMOC ON)
target_include_directories(varnok_recwin PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_recwin PUBLIC varnok_dialogs varnok_records varnok_i18n PRIVATE varnok_warnings)
# The engine's headers sit beside Qt's here; signals and slots are spelled
# Q_SIGNALS and Q_SLOTS.
target_compile_definitions(varnok_recwin PRIVATE QT_NO_KEYWORDS)
