# The Linux platform layer: included on Linux only.
target_sources(uninstaller_tests PRIVATE
    platform/AppTempFolderTest.cpp
    platform/HelperTrustTest.cpp
    platform/QueuedInputWakeTest.cpp
    platform/RootAuthorizationServicesTest.cpp
    platform/UserLanguageTest.cpp)

# Started by the cache-folder tests, in a process of its own for each program start.
add_executable(trash_probe platform/TrashProbe.cpp)
target_link_libraries(trash_probe PRIVATE uninstaller_core)
add_dependencies(uninstaller_tests trash_probe)
