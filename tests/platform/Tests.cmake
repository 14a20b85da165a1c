target_sources(uninstaller_tests PRIVATE
    platform/PrivilegedHelperTest.cpp)
