target_sources(uninstaller_tests PRIVATE
    wizard/MainLayoutComponentLookTest.cpp
    wizard/MainLayoutComponentTest.cpp
    wizard/PagesTest.cpp
    wizard/UninstallJobTest.cpp)
