target_sources(uninstaller_tests PRIVATE
    wizard/MainLayoutComponentTest.cpp
    wizard/PagesTest.cpp)
