# The application shell. Main.cpp belongs to the program alone.
target_sources(uninstaller_core PRIVATE
    app/CommandLine.cpp
    app/CommandLineReport.cpp
    app/QMV_HubApplication.cpp)
