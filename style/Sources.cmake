# The program's own look, and its words and typeface in the user's language.
target_sources(uninstaller_core PRIVATE
    style/JapaneseLocale.cpp
    style/LineBreaks.cpp
    style/QMVHubLookAndFeel.cpp)
