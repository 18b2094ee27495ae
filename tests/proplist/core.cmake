tess_add_test(tst_proplistmodel
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_proplistmodel.cpp
    LIBS tess_proplist_core)
tess_add_test(tst_proplistmodel_salva
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_proplistmodel_salva.cpp
    LIBS tess_proplist_core)
tess_add_test(tst_history
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_history.cpp
    LIBS tess_proplist_core)
tess_add_test(tst_listlayout
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_listlayout.cpp
    LIBS tess_proplist_core)
