# The property list's data: categories, items, values, skin.ini writing. No widgets.
add_library(tess_proplist_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/proplistmodel.cpp ${CMAKE_CURRENT_LIST_DIR}/proplistmodel.h
)
target_include_directories(tess_proplist_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(tess_proplist_core PUBLIC tess_skin tess_common Qt6::Core Qt6::Gui)
