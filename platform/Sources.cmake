# Services that each platform provides differently.
target_sources(uninstaller_core PRIVATE
    platform/AppTempFolder.cpp
    platform/HelperTrust.cpp
    platform/JapaneseTypeface.cpp
    platform/UserLanguage.cpp)
