# The privileged helper: included on Linux only, where it is built.

# The helper's build for tests: its library with a main of its own, which allows
# the scratch paths on its command line in place of the driver's bundles. Never installed.
add_executable(uninstaller_test_helper helper/TestHelperMain.cpp)
target_link_libraries(uninstaller_test_helper PRIVATE uninstaller_helper_core
    juce::juce_recommended_config_flags juce::juce_recommended_warning_flags)
set_target_properties(uninstaller_test_helper PROPERTIES
    OUTPUT_NAME ${UNINSTALLER_PROGRAM_NAME}-test-helper)

target_sources(uninstaller_tests PRIVATE
    helper/PrivilegedHelperTest.cpp
    helper/MountTableTest.cpp
    helper/SystemLogTest.cpp)

# Run by the helper's tests in place of a tool, to see what the tool is given.
add_executable(tool_probe helper/ToolProbe.cpp)
add_dependencies(uninstaller_tests tool_probe uninstaller_test_helper)
