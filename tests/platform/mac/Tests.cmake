# The Mac's own code that needs nothing but POSIX, run on Linux against stand-ins
# that behave as the Mac does: a test program of its own, since it links what only
# a Mac build links. Included on Linux only.

# The stand-in headers of Security alone: the other stand-ins would hide the C
# library's own. Copied again whenever they change.
foreach(header Authorization.h AuthorizationTags.h)
    configure_file("${PROJECT_SOURCE_DIR}/scripts/macos-headers/Security/${header}"
                   "${CMAKE_CURRENT_BINARY_DIR}/security-stand-in/Security/${header}" COPYONLY)
endforeach()

add_executable(uninstaller_mac_tests
    TestMain.cpp
    support/ProcessScratch.cpp
    support/StandInSecurity.cpp
    platform/mac/MacAuthorizationServicesTest.cpp
    "${PROJECT_SOURCE_DIR}/platform/mac/MacAuthorizationServices.cpp")

target_include_directories(uninstaller_mac_tests PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
target_include_directories(uninstaller_mac_tests SYSTEM PRIVATE "${CMAKE_CURRENT_BINARY_DIR}/security-stand-in")
target_link_libraries(uninstaller_mac_tests PRIVATE uninstaller_core GTest::gtest)
target_compile_definitions(uninstaller_mac_tests PRIVATE
    PELK_TEST_HELPER_PATH="$<TARGET_FILE:uninstaller_test_helper>")
add_dependencies(uninstaller_mac_tests uninstaller_test_helper)

# The program looks the launching call up at run time: the stand-in's must be found.
set_target_properties(uninstaller_mac_tests PROPERTIES ENABLE_EXPORTS TRUE)

gtest_discover_tests(uninstaller_mac_tests
    DISCOVERY_MODE PRE_TEST
    PROPERTIES
        TIMEOUT 60
        LABELS unit
        FAIL_REGULAR_EXPRESSION "JUCE.Assertion.failure|Leaked.objects.detected|Dangling.pointer.deletion")
