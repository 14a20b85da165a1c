# The Mac's own platform files with their cases, in a test program of their own, so
# that they run on Linux too, where uninstaller_tests has the Linux files instead.
add_executable(uninstaller_mac_tests
    "${PROJECT_SOURCE_DIR}/platform/mac/SystemArguments.cpp"
    platform/mac/SystemArgumentsTest.cpp)

target_include_directories(uninstaller_mac_tests PRIVATE "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
target_link_libraries(uninstaller_mac_tests PRIVATE GTest::gtest_main
    juce::juce_recommended_config_flags juce::juce_recommended_warning_flags)

uninstaller_discover_unit_tests(uninstaller_mac_tests)
