# The options window: every setting of the options file on nine tabs, with
# previews of the card and background designs and the language's flag.
add_library(varnok_options STATIC
  ${CMAKE_CURRENT_LIST_DIR}/form_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_options.h
  ${CMAKE_CURRENT_LIST_DIR}/form_options_cards.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_options_extra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_options_general.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_options_look.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_options_look.h
  ${CMAKE_CURRENT_LIST_DIR}/form_options_more.cpp
)
set_target_properties(varnok_options PROPERTIES AUTOMOC ON)
target_include_directories(varnok_options PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_options PUBLIC varnok_dialogs varnok_flight varnok_records varnok_i18n
                      PRIVATE varnok_warnings)
# The settings bring the engine's headers along; signals and slots are
# spelled Q_SIGNALS and Q_SLOTS.
target_compile_definitions(varnok_options PRIVATE QT_NO_KEYWORDS)
