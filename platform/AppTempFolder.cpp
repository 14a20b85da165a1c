#include "platform/AppTempFolder.h"

#if JUCE_MAC

juce::File AppTempFolder::get()
{
    return juce::File::getSpecialLocation (juce::File::tempDirectory);
}

bool AppTempFolder::moveToTrash()
{
    return get().moveToTrash();
}

#else

#include <gio/gio.h>

namespace
{
    juce::File fromEnvironment (const char* variable)
    {
        auto value = juce::SystemStats::getEnvironmentVariable (variable, {});

        // Relative paths in these variables are invalid and must be ignored.
        return juce::File::isAbsolutePath (value) ? juce::File (value) : juce::File();
    }

    juce::File getCacheRoot()
    {
        auto root = fromEnvironment ("XDG_CACHE_HOME");

        if (root == juce::File())
            if (auto home = fromEnvironment ("HOME"); home != juce::File())
                root = home.getChildFile (".cache");

        return root;
    }

    juce::String getExecutableName()
    {
        return juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                   .getFileNameWithoutExtension();
    }

    /** A folder that holds, or is, somebody else's files. */
    bool isShared (const juce::File& folder)
    {
        juce::Array<juce::File> shared { juce::File ("/"),
                                         juce::File ("/tmp"),
                                         juce::File::getSpecialLocation (juce::File::tempDirectory),
                                         fromEnvironment ("HOME"),
                                         getCacheRoot() };

        for (auto& other : shared)
            if (other != juce::File() && (folder == other || other.isAChildOf (folder)))
                return true;

        return false;
    }
}

juce::File AppTempFolder::get()
{
    auto root = getCacheRoot();
    auto name = getExecutableName();

    if (root == juce::File() || name.isEmpty())
        return {};

    auto folder = root.getChildFile (name);
    folder.createDirectory();
    return folder;
}

bool AppTempFolder::moveToTrash()
{
    auto folder = get();

    if (folder == juce::File() || ! folder.isDirectory() || isShared (folder))
        return false;

    auto* file = g_file_new_for_path (folder.getFullPathName().toRawUTF8());
    auto moved = g_file_trash (file, nullptr, nullptr) != FALSE;
    g_object_unref (file);
    return moved;
}

#endif
