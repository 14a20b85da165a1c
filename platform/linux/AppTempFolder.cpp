#include "platform/AppTempFolderSystem.h"

#include <gio/gio.h>

#include "platform/linux/LibraryFunctions.h"

juce::File AppTempFolderSystem::getCacheRoot()
{
    auto root = folderFromEnvironment ("XDG_CACHE_HOME");

    if (root == juce::File())
        if (auto home = folderFromEnvironment ("HOME"); home != juce::File())
            root = home.getChildFile (".cache");

    return root;
}

/** Through GIO, with its .trashinfo record. GIO and GLib are loaded only here:
    most starts have nothing to move, and never map them. */
bool AppTempFolderSystem::moveToTrash (const juce::File& folder)
{
    static auto* const gio = LibraryFunctions::openForGood ("libgio-2.0.so.0");
    const auto find = [] (auto& call, const char* name) { return LibraryFunctions::find (gio, call, name); };

    decltype (&g_file_new_for_path) newForPath = nullptr;
    decltype (&g_file_trash) trashFile = nullptr;
    decltype (&g_object_unref) unref = nullptr;

    if (! (find (newForPath, "g_file_new_for_path") && find (trashFile, "g_file_trash")
            && find (unref, "g_object_unref")))
        return false;

    auto* file = newForPath (folder.getFullPathName().toRawUTF8());
    const auto moved = trashFile (file, nullptr, nullptr) != FALSE;
    unref (file);
    return moved;
}
