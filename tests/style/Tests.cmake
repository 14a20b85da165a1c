target_sources(uninstaller_tests PRIVATE
    style/JapaneseLocaleTest.cpp
    style/QMVHubLookAndFeelTest.cpp)
