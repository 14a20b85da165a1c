target_sources(uninstaller_tests PRIVATE
    platform/HelperTrustTest.cpp)
