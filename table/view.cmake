# The table view: the layered drawing surface and the engine's presenter
# that draws on it with the card pictures, flights and status pictures.
add_library(varnok_view STATIC
  ${CMAKE_CURRENT_LIST_DIR}/table_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_canvas.h
  ${CMAKE_CURRENT_LIST_DIR}/table_host.h
  ${CMAKE_CURRENT_LIST_DIR}/table_presenter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_presenter.h
)
set_target_properties(varnok_view PROPERTIES AUTOMOC ON)
target_include_directories(varnok_view PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_view PUBLIC varnok_flight varnok_status varnok_dialogs varnok_engine varnok_i18n
                      PRIVATE varnok_warnings)
