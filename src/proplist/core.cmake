# The property list's data: categories, items, values, skin.ini writing. No widgets; its
# pictures and the cache of the skin's bitmaps neither, so the preview draws the same marks.
add_library(tess_proplist_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/proplistmodel.cpp ${CMAKE_CURRENT_LIST_DIR}/proplistmodel.h
    ${CMAKE_CURRENT_LIST_DIR}/listlayout.cpp ${CMAKE_CURRENT_LIST_DIR}/listlayout.h
    ${CMAKE_CURRENT_LIST_DIR}/listpictures.cpp ${CMAKE_CURRENT_LIST_DIR}/listpictures.h
    ${CMAKE_CURRENT_LIST_DIR}/picturecache.cpp ${CMAKE_CURRENT_LIST_DIR}/picturecache.h
)
target_include_directories(tess_proplist_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(tess_proplist_core PUBLIC tess_skin tess_bitmap_core tess_common Qt6::Core
    Qt6::Gui)
