// Starts as the program does as far as its cache folder goes, and prints what
// happened: the folder, "moved" or "kept", and whether GIO was loaded for it.
//   trash_probe [--leave-a-file]   first leaves a file in the folder, as a run would
#include "platform/AppTempFolder.h"

#include <iostream>
#include <string>

int main (int argc, char** argv)
{
    auto folder = AppTempFolder::get();

    if (argc > 1 && std::string (argv[1]) == "--leave-a-file")
    {
        folder.createDirectory();
        folder.getChildFile ("left-by-last-run").replaceWithText ("x");
    }

    const auto moved = AppTempFolder::moveToTrash();
    const auto gioLoaded = juce::File ("/proc/self/maps").loadFileAsString().contains ("libgio-2.0");

    std::cout << folder.getFullPathName() << '\n'
              << (moved ? "moved" : "kept") << '\n'
              << (gioLoaded ? "GIO loaded" : "GIO not loaded") << '\n';
    return 0;
}
