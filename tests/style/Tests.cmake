target_sources(uninstaller_tests PRIVATE
    style/JapaneseLocaleTest.cpp
    style/LineBreaksTest.cpp
    style/QMVHubLookAndFeelTest.cpp)
