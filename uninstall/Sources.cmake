# The uninstall engine: the one sequence that the window and the command line
# run, administrator rights, what it removes, and the words for why it could not ask.
target_sources(uninstaller_core PRIVATE
    uninstall/AuthorizationRequest.cpp
    uninstall/CAuth.cpp
    uninstall/DriverRemoval.cpp
    uninstall/ObstacleText.cpp
    uninstall/UninstallSequence.cpp
    uninstall/UninstallSetup.cpp)
