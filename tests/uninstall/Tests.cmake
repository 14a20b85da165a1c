target_sources(uninstaller_tests PRIVATE
    uninstall/CAuthTest.cpp
    uninstall/DriverBundlesTest.cpp)
