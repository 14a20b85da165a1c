#pragma once

#include <juce_core/juce_core.h>

/** The folder this program keeps its temporary files in, which every start clears
    by moving it to the user's Trash. */
namespace AppTempFolder
{
    /** Where the folder is; it exists only where something made it. */
    juce::File get();

    /** Moves the folder to the Trash if it exists; never a folder that other
        programs share, and never one made only to be moved. Run as root, only one
        inside root's own home, with no link and no folder of another owner on its
        path: a root window that kept a user's HOME must not move the user's folders.
        True if it was moved. */
    bool moveToTrash();

    /** True for a folder that must never go to the Trash: one that is, or holds, the
        root, /tmp, /var/tmp, $TMPDIR, $HOME or the cache root, also by way of a
        symbolic link. Such a folder holds other programs' or the user's files. */
    bool isNeverMoved (const juce::File& folder);
}
