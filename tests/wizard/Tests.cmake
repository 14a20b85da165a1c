target_sources(uninstaller_tests PRIVATE
    wizard/MainLayoutComponentLookTest.cpp
    wizard/MainLayoutComponentTest.cpp
    wizard/PagesTest.cpp
    wizard/PathLinesTest.cpp
    wizard/ShadowComponentTest.cpp
    wizard/UninstallJobTest.cpp)

if(UNINSTALLER_LINUX_TESTS)
    target_sources(uninstaller_tests PRIVATE wizard/UninstallJobOverHelperTest.cpp)
endif()
