target_sources(uninstaller_tests PRIVATE
    uninstall/CAuthTest.cpp
    uninstall/UninstallSequenceTest.cpp)

if(UNINSTALLER_LINUX_TESTS)
    target_sources(uninstaller_tests PRIVATE uninstall/CAuthOverHelperTest.cpp)
endif()
