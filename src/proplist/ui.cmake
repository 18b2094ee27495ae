# The property list widget: drawing, scrolling, hit testing and inline editors.
add_library(tess_proplist_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/uadvlist.cpp ${CMAKE_CURRENT_LIST_DIR}/uadvlist.h
    ${CMAKE_CURRENT_LIST_DIR}/uadvlist_p.h ${CMAKE_CURRENT_LIST_DIR}/uadvlistpaint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uadvlisteditors.cpp ${CMAKE_CURRENT_LIST_DIR}/uadvlistkeys.cpp
)
target_include_directories(tess_proplist_ui PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(tess_proplist_ui PUBLIC tess_proplist_core tess_gradient_core
    tess_bitmap_core tess_dialogs Qt6::Widgets)
