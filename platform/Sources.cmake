# Services that each platform provides differently.
target_sources(uninstaller_core PRIVATE
    platform/AppTempFolder.cpp
    platform/AuthorizationServices.cpp
    platform/GraphicalSession.cpp
    platform/HelperTrust.cpp
    platform/JapaneseTypeface.cpp
    platform/QueuedInputWake.cpp
    platform/SystemLog.cpp
    platform/UserLanguage.cpp)

if(APPLE)
    target_sources(uninstaller_core PRIVATE platform/MacAuthorizationServices.cpp)
    target_link_libraries(uninstaller_core PUBLIC "-framework Security")
else()
    target_sources(uninstaller_core PRIVATE
        platform/HelperLocation.cpp
        platform/LinuxAuthorizationServices.cpp
        platform/linux/HelperConnection.cpp
        platform/linux/HelperProtocol.cpp
        platform/linux/HelperRequests.cpp
        platform/linux/RemovalLock.cpp)
endif()
