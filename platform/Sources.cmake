# Services that each platform provides differently: a portable header here, what
# both systems share beside it, and each system's own part in a folder of its own,
# chosen here alone.
if(APPLE)
    set(platform_system_folder platform/mac)
else()
    set(platform_system_folder platform/linux)
endif()

target_sources(uninstaller_core PRIVATE
    ${platform_system_folder}/AppTempFolder.cpp
    ${platform_system_folder}/GraphicalSession.cpp
    ${platform_system_folder}/JapaneseTypeface.cpp
    ${platform_system_folder}/PasswordPrompt.cpp
    ${platform_system_folder}/QueuedInputWake.cpp
    ${platform_system_folder}/SystemArguments.cpp
    ${platform_system_folder}/UserLanguage.cpp
    ${platform_system_folder}/WindowIcon.cpp
    ${platform_system_folder}/WindowSizeHints.cpp)

target_sources(uninstaller_core PRIVATE
    platform/AppTempFolder.cpp
    platform/AuthorizationServices.cpp
    platform/HelperAuthorizationServices.cpp
    platform/HelperConnection.cpp
    platform/HelperTrust.cpp
    platform/QueuedInputWake.cpp
    platform/RootAuthorizationServices.cpp
    platform/UserLanguage.cpp)

# Administrator rights: the privileged helper, started by each system its own way.
if(APPLE)
    target_sources(uninstaller_core PRIVATE
        platform/mac/HelperLocation.cpp
        platform/mac/MacAuthorizationServices.cpp
        platform/mac/PlatformAuthorization.cpp)
    target_link_libraries(uninstaller_core PUBLIC "-framework Security")
else()
    target_sources(uninstaller_core PRIVATE
        platform/linux/HelperLocation.cpp
        platform/linux/HelperSpawn.cpp
        platform/linux/LinuxAuthorizationServices.cpp
        platform/linux/PlatformAuthorization.cpp)

    # The window's icon, drawn from the desktop entry's artwork so that the two never
    # disagree. Drawn while configuring, since the framework embeds only files that
    # exist by then; a change to the artwork configures again.
    find_program(RSVG_CONVERT rsvg-convert REQUIRED)
    set(window_artwork "${CMAKE_CURRENT_SOURCE_DIR}/packaging/linux/${UNINSTALLER_APP_ID}.svg")
    set(window_icon "${CMAKE_CURRENT_BINARY_DIR}/window-icon/window-icon.png")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${window_artwork}")
    file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/window-icon")
    execute_process(
        COMMAND "${RSVG_CONVERT}" --width 64 --height 64 --output "${window_icon}" "${window_artwork}"
        COMMAND_ERROR_IS_FATAL ANY)
    juce_add_binary_data(uninstaller_window_icon
        HEADER_NAME WindowIconData.h
        NAMESPACE WindowIconData
        SOURCES "${window_icon}")
    set_target_properties(uninstaller_window_icon PROPERTIES POSITION_INDEPENDENT_CODE TRUE)
    target_link_libraries(uninstaller_core PRIVATE uninstaller_window_icon)
endif()
