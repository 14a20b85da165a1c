# The program's own look.
target_sources(uninstaller_core PRIVATE
    style/QMVHubLookAndFeel.cpp)
