#include "platform/AppTempFolder.h"

#if ! JUCE_MAC
 #include <gio/gio.h>

 #include "platform/linux/LibraryFunctions.h"
#endif

#include <cstdlib>

namespace
{
    juce::File fromEnvironment (const char* variable)
    {
        auto value = juce::SystemStats::getEnvironmentVariable (variable, {});

        // Relative paths in these variables are invalid and must be ignored.
        return juce::File::isAbsolutePath (value) ? juce::File (value) : juce::File();
    }

   #if JUCE_MAC
    juce::File getCacheRoot()
    {
        return juce::File ("~/Library/Caches");
    }

    bool trash (const juce::File& folder)
    {
        return folder.moveToTrash();
    }
   #else
    juce::File getCacheRoot()
    {
        auto root = fromEnvironment ("XDG_CACHE_HOME");

        if (root == juce::File())
            if (auto home = fromEnvironment ("HOME"); home != juce::File())
                root = home.getChildFile (".cache");

        return root;
    }

    /** Through GIO, with its .trashinfo record. GIO and GLib are loaded only here:
        most starts have nothing to move, and never map them. */
    bool trash (const juce::File& folder)
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
   #endif

    juce::String getExecutableName()
    {
        return juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                   .getFileNameWithoutExtension();
    }

    /** The folder with every symbolic link on its path resolved, or as it is when
        that cannot be done (it does not exist). */
    juce::File resolved (const juce::File& folder)
    {
        auto* real = ::realpath (folder.getFullPathName().toRawUTF8(), nullptr);

        if (real == nullptr)
            return folder;

        juce::File result (juce::String::fromUTF8 (real));
        std::free (real);
        return result;
    }

    bool equalsOrContains (const juce::File& folder, const juce::File& other)
    {
        return folder == other || other.isAChildOf (folder);
    }
}

juce::File AppTempFolder::get()
{
    // Not the framework's temporary folder, which it makes whenever it is asked for it.
    auto root = getCacheRoot();
    auto name = getExecutableName();

    if (root == juce::File() || name.isEmpty())
        return {};

    return root.getChildFile (name);
}

bool AppTempFolder::isNeverMoved (const juce::File& folder)
{
    if (folder == juce::File())
        return true;

    const juce::File shared[] { juce::File ("/"),
                                juce::File ("/tmp"),
                                juce::File ("/var/tmp"),
                                fromEnvironment ("TMPDIR"),
                                fromEnvironment ("HOME"),
                                getCacheRoot() };

    // The Trash moves the folder's own entry, which a link on its path may put anywhere.
    const juce::File forms[] { folder, resolved (folder) };

    for (auto& other : shared)
        if (other != juce::File())
            for (auto& form : forms)
                if (equalsOrContains (form, other) || equalsOrContains (form, resolved (other)))
                    return true;

    return false;
}

bool AppTempFolder::moveToTrash()
{
    const auto folder = get();

    if (! folder.isDirectory() || isNeverMoved (folder))
        return false;

    return trash (folder);
}
