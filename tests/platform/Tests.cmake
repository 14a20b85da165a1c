# The Linux platform layer: included on Linux only.
target_sources(uninstaller_tests PRIVATE
    platform/AppTempFolderTest.cpp
    platform/HelperTrustTest.cpp
    platform/PrivilegedHelperTest.cpp
    platform/QueuedInputWakeTest.cpp
    platform/SystemLogTest.cpp
    platform/UserLanguageTest.cpp)

# Started by the cache-folder tests, in a process of its own for each program start.
add_executable(trash_probe platform/TrashProbe.cpp)
target_link_libraries(trash_probe PRIVATE uninstaller_core)
add_dependencies(uninstaller_tests trash_probe)

# Run by the privileged helper's tests in place of a tool, to see what the tool is given.
add_executable(tool_probe platform/ToolProbe.cpp)
add_dependencies(uninstaller_tests tool_probe)
