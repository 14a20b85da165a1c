// Starts as the program does as far as its cache folder goes: puts a file in the
// folder, clears the folder into the Trash and prints what happened.
#include "platform/AppTempFolder.h"

#include <iostream>

int main()
{
    auto folder = AppTempFolder::get();
    folder.getChildFile ("left-by-last-run").replaceWithText ("x");

    std::cout << folder.getFullPathName() << '\n'
              << (AppTempFolder::moveToTrash() ? "moved" : "kept") << '\n';
    return 0;
}
