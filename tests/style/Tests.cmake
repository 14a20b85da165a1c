target_sources(uninstaller_tests PRIVATE
    style/QMVHubLookAndFeelTest.cpp)
