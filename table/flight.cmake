# Card pictures at the current card size, and the card flights over the table.
add_library(varnok_flight STATIC
  ${CMAKE_CURRENT_LIST_DIR}/card_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_pictures.h
  ${CMAKE_CURRENT_LIST_DIR}/flight_window.h
  ${CMAKE_CURRENT_LIST_DIR}/sprite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprite.h
)
target_include_directories(varnok_flight PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(varnok_flight PUBLIC varnok_table PRIVATE varnok_warnings)
