# What the Mac bundle carries beyond the framework's defaults: the options that
# juce_add_gui_app takes (UNINSTALLER_BUNDLE_OPTIONS), and the language folders
# that uninstaller_add_bundle_languages adds to the bundle's Resources.

# The icon is the Linux icon's artwork. juceaide makes the .icns while CMake
# configures, so the PNGs that it is made from are drawn then too.
set(icon_svg "${CMAKE_CURRENT_LIST_DIR}/../linux/${UNINSTALLER_APP_ID}.svg")
set(icon_dir "${CMAKE_BINARY_DIR}/macos-icon")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${icon_svg}")
file(MAKE_DIRECTORY "${icon_dir}")
foreach(size 1024 256 64)
    execute_process(
        COMMAND "${RSVG_CONVERT}" --width ${size} --height ${size} --output "${icon_dir}/icon-${size}.png" "${icon_svg}"
        RESULT_VARIABLE drawn)
    if(NOT drawn EQUAL 0)
        message(FATAL_ERROR "rsvg-convert could not draw the icon from ${icon_svg}")
    endif()
endforeach()

# Inside a bundle the system answers the framework's language query with the language
# that it negotiates between the user's languages and the bundle's localizations; a
# bundle that declares none always gets its development language, and the Japanese
# texts would never show on a Japanese Mac.
# LSMinimumSystemVersion lets Finder refuse to start us on a macOS that the deployment
# target does not cover, instead of the program failing at launch.
string(CONCAT bundle_keys
    "<plist><dict>"
    "<key>CFBundleDevelopmentRegion</key><string>en</string>"
    "<key>CFBundleLocalizations</key><array><string>en</string><string>ja</string></array>"
    "<key>LSMinimumSystemVersion</key><string>${CMAKE_OSX_DEPLOYMENT_TARGET}</string>"
    "</dict></plist>")

# Without the hardened runtime a bundle cannot be notarised, and Gatekeeper blocks
# a download that is not.
set(UNINSTALLER_BUNDLE_OPTIONS
    ICON_BIG "${icon_dir}/icon-1024.png"
    ICON_SMALL "${icon_dir}/icon-64.png"
    PLIST_TO_MERGE "${bundle_keys}"
    HARDENED_RUNTIME_ENABLED TRUE)

# What the bundle carries besides the program: its privileged helper, where a
# signed bundle keeps helper tools (codesign seals Contents/Helpers with the rest),
# and the PNG that the system's password dialog shows (it cannot read .icns).
function(uninstaller_add_bundle_helper target helper)
    add_dependencies(${target} ${helper})
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND "${CMAKE_COMMAND}" -E make_directory "$<TARGET_BUNDLE_CONTENT_DIR:${target}>/Helpers"
        COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:${helper}>" "$<TARGET_BUNDLE_CONTENT_DIR:${target}>/Helpers/"
        VERBATIM)

    set(prompt_icon "${icon_dir}/PromptIcon.png")
    configure_file("${icon_dir}/icon-256.png" "${prompt_icon}" COPYONLY)
    target_sources(${target} PRIVATE "${prompt_icon}")
    set_source_files_properties("${prompt_icon}" PROPERTIES MACOSX_PACKAGE_LOCATION Resources)
endfunction()

# The licences that go with the program wherever it is conveyed: ours (GPL) and,
# for the whole and the code that JUCE compiles in, Notices.txt. The .deb carries
# them in its copyright file.
function(uninstaller_add_bundle_notices target)
    foreach(notice "${PROJECT_SOURCE_DIR}/LICENSE" "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Notices.txt")
        target_sources(${target} PRIVATE "${notice}")
        set_source_files_properties("${notice}" PROPERTIES MACOSX_PACKAGE_LOCATION Resources)
    endforeach()
endfunction()

function(uninstaller_add_bundle_languages target)
    foreach(language en ja)
        set(strings "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${language}.lproj/InfoPlist.strings")
        target_sources(${target} PRIVATE "${strings}")
        set_source_files_properties("${strings}" PROPERTIES MACOSX_PACKAGE_LOCATION "Resources/${language}.lproj")
    endforeach()
endfunction()
