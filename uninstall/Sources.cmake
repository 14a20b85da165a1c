# The uninstall engine: administrator rights and what the job removes.
target_sources(uninstaller_core PRIVATE
    uninstall/AuthorizationRequest.cpp
    uninstall/CAuth.cpp
    uninstall/DriverRemoval.cpp
    uninstall/UninstallSetup.cpp)
