target_sources(uninstaller_tests PRIVATE
    app/QMV_HubApplicationTest.cpp)
