# The property list widget: drawing, scrolling, hit testing, inline editors and its pictures.
add_library(tess_proplist_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/uadvlist.cpp ${CMAKE_CURRENT_LIST_DIR}/uadvlist.h
    ${CMAKE_CURRENT_LIST_DIR}/listpictures.cpp ${CMAKE_CURRENT_LIST_DIR}/listpictures.h
    ${CMAKE_CURRENT_LIST_DIR}/picturecache.cpp ${CMAKE_CURRENT_LIST_DIR}/picturecache.h
)
target_include_directories(tess_proplist_ui PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(tess_proplist_ui PUBLIC tess_proplist_core tess_gradient_core
    tess_bitmap_core tess_dialogs Qt6::Widgets)
