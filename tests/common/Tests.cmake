# What the program and the helper share.
target_sources(uninstaller_tests PRIVATE common/DriverBundlesTest.cpp)
