# Tests of the property list widget: drawing and layout, the mouse interaction and the keys.
tess_add_test(tst_uadvlist
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_uadvlist.cpp ${CMAKE_CURRENT_LIST_DIR}/uadvlistfixture.h
    LIBS tess_proplist_ui tess_skin)
tess_add_test(tst_uadvlist_interaction
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_uadvlist_interaction.cpp
            ${CMAKE_CURRENT_LIST_DIR}/uadvlistfixture.h
    LIBS tess_proplist_ui tess_skin tess_dialogs tess_testprompts)
tess_add_test(tst_uadvlist_keys
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_uadvlist_keys.cpp
            ${CMAKE_CURRENT_LIST_DIR}/uadvlistfixture.h
    LIBS tess_proplist_ui tess_skin tess_dialogs tess_testprompts)
# The drawing tests open the bundled default skin.
if(TARGET tess_bundled_skins)
    add_dependencies(tst_uadvlist tess_bundled_skins)
endif()
