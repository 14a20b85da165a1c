#include "platform/AppTempFolder.h"

#include "platform/AppTempFolderSystem.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
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

    /** Run as root, only a folder of root's own: inside root's home as the password
        database has it, whatever HOME says (older sudo, sudo -E, keep the user's),
        with no link and nothing of another owner from "/" down to it. */
    bool isRootsOwn (const juce::File& folder)
    {
        const auto* root = ::getpwuid (0);

        if (root == nullptr || root->pw_dir == nullptr)
            return false;

        // The system's own links above the home count for nothing (a Mac's /var/root
        // is /private/var/root); below it, any link is refused.
        const juce::File home (juce::String::fromUTF8 (root->pw_dir));

        if (! folder.isAChildOf (home))
            return false;

        const auto inside = resolved (home).getChildFile (folder.getRelativePathFrom (home));

        for (auto entry = inside;; entry = entry.getParentDirectory())
        {
            struct stat info {};

            if (::lstat (entry.getFullPathName().toRawUTF8(), &info) != 0 || ! S_ISDIR (info.st_mode) || info.st_uid != 0)
                return false;

            if (entry.isRoot())
                return true;
        }
    }
}

juce::File AppTempFolderSystem::folderFromEnvironment (const char* variable)
{
    auto value = juce::SystemStats::getEnvironmentVariable (variable, {});

    // Relative paths in these variables are invalid and must be ignored.
    return juce::File::isAbsolutePath (value) ? juce::File (value) : juce::File();
}

juce::File AppTempFolder::get()
{
    // Not asked of the framework. On Linux its temporary folder is $TMPDIR or /tmp
    // itself, which others share; on a Mac it is this same folder, but the framework
    // makes it whenever it is asked for it, and a folder made only to be moved is not.
    auto root = AppTempFolderSystem::getCacheRoot();
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
                                AppTempFolderSystem::folderFromEnvironment ("TMPDIR"),
                                AppTempFolderSystem::folderFromEnvironment ("HOME"),
                                AppTempFolderSystem::getCacheRoot() };

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

    if (::geteuid() == 0 && ! isRootsOwn (folder))
        return false;

    return AppTempFolderSystem::moveToTrash (folder);
}
