# The Mac's own code that needs nothing but POSIX, run on Linux against stand-ins
# that behave as the Mac does: a test program of its own, since it compiles the
# Mac's files where uninstaller_core has Linux's (the linker takes the Mac's
# definitions here, and never needs the core's). Included on Linux only.

# The stand-in headers of Security alone: the other stand-ins would hide the C
# library's own. Copied again whenever they change.
foreach(header Authorization.h AuthorizationTags.h)
    configure_file("${PROJECT_SOURCE_DIR}/scripts/macos-headers/Security/${header}"
                   "${CMAKE_CURRENT_BINARY_DIR}/security-stand-in/Security/${header}" COPYONLY)
endforeach()

add_executable(uninstaller_mac_tests
    TestMain.cpp
    support/ProcessScratch.cpp
    support/ScratchFolder.cpp
    support/StandInSecurity.cpp
    platform/mac/MacAuthorizationServicesTest.cpp
    platform/mac/SystemArgumentsTest.cpp
    "${PROJECT_SOURCE_DIR}/platform/mac/MacAuthorizationServices.cpp"
    "${PROJECT_SOURCE_DIR}/platform/mac/SystemArguments.cpp")

target_include_directories(uninstaller_mac_tests PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
target_include_directories(uninstaller_mac_tests SYSTEM PRIVATE "${CMAKE_CURRENT_BINARY_DIR}/security-stand-in")
target_link_libraries(uninstaller_mac_tests PRIVATE uninstaller_core GTest::gtest)
target_compile_definitions(uninstaller_mac_tests PRIVATE
    PELK_TEST_HELPER_PATH="$<TARGET_FILE:uninstaller_test_helper>")
add_dependencies(uninstaller_mac_tests uninstaller_test_helper)

# The program looks the launching call up at run time: the stand-in's must be found.
set_target_properties(uninstaller_mac_tests PROPERTIES ENABLE_EXPORTS TRUE)

uninstaller_discover_unit_tests(uninstaller_mac_tests)
