# The player window (who plays, and how network copies meet), the notice
# window and renaming the player during a game.
find_package(Qt6 REQUIRED COMPONENTS Network)
add_library(varnok_players STATIC
  ${CMAKE_CURRENT_LIST_DIR}/form_link.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_link.h
  ${CMAKE_CURRENT_LIST_DIR}/form_password.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_password.h
  ${CMAKE_CURRENT_LIST_DIR}/player_checks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/player_checks.h
)
set_target_properties(varnok_players PROPERTIES AUTOMOC ON)
target_include_directories(varnok_players PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_players PUBLIC varnok_dialogs varnok_records varnok_i18n Qt6::Network
                      PRIVATE varnok_warnings)
# The engine's headers come with the records; signals and slots are spelled
# Q_SIGNALS and Q_SLOTS.
target_compile_definitions(varnok_players PRIVATE QT_NO_KEYWORDS)
