#include "support/ProcessScratch.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace
{
    // Each folder has a lock file beside it, locked for as long as its process
    // lives: the kernel lets go of the lock however the process ends.
    juce::File heldFolder;
    int heldLock = -1;

    juce::File lockFileOf (const juce::File& folder)
    {
        return folder.withFileExtension ("lock");
    }

    int openLock (const juce::File& file, int flags)
    {
        return ::open (file.getFullPathName().toRawUTF8(), O_RDWR | O_CLOEXEC | flags, 0600);
    }

    /** A lock on the folder that holds them all, taken while folders are removed or
        made, so that no process removes a folder whose owner has not locked it yet. */
    class RootGuard
    {
    public:
        explicit RootGuard (const juce::File& root)
            : fd (::open (root.getFullPathName().toRawUTF8(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
        {
            if (fd >= 0)
                ::flock (fd, LOCK_EX);
        }

        ~RootGuard()
        {
            if (fd >= 0)
                ::close (fd);
        }

    private:
        int fd;
    };
}

juce::File ProcessScratch::claim()
{
    const auto root = juce::File::getSpecialLocation (juce::File::tempDirectory)
                          .getChildFile ("pelk-uninstaller-tests");
    root.createDirectory();

    const RootGuard guard (root);
    removeFoldersOfEndedProcesses (root);

    const auto folder = root.getNonexistentChildFile (juce::String (::getpid()), {}, true);
    heldLock = openLock (lockFileOf (folder), O_CREAT | O_EXCL);

    if (heldLock < 0 || ::flock (heldLock, LOCK_EX) != 0 || ! folder.createDirectory())
        return {};

    heldFolder = folder;
    return folder;
}

void ProcessScratch::release()
{
    if (heldLock < 0)
        return;

    heldFolder.deleteRecursively();
    lockFileOf (heldFolder).deleteFile();
    ::close (heldLock);
    heldLock = -1;
}

void ProcessScratch::removeFoldersOfEndedProcesses (const juce::File& root)
{
    for (auto& lockFile : root.findChildFiles (juce::File::findFiles, false, "*.lock"))
    {
        const auto fd = openLock (lockFile, 0);

        if (fd < 0)
            continue;

        if (::flock (fd, LOCK_EX | LOCK_NB) == 0)
        {
            lockFile.withFileExtension ({}).deleteRecursively();
            lockFile.deleteFile();
        }

        ::close (fd);
    }
}
