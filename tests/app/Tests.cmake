target_sources(uninstaller_tests PRIVATE
    app/CommandLineTest.cpp
    app/QMV_HubApplicationTest.cpp)
