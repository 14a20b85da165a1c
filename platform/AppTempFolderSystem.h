#pragma once

#include <juce_core/juce_core.h>

/** What AppTempFolder needs from each system, in platform/linux/ and platform/mac/,
    and one reading of the environment that both of them use. */
namespace AppTempFolderSystem
{
    /** Where the user's caches go; none when the environment does not say. */
    juce::File getCacheRoot();

    /** Moves the folder to the user's Trash as the desktop does; true if it went. */
    bool moveToTrash (const juce::File& folder);

    /** The variable's value as a folder; none when it is unset or not an absolute path. */
    juce::File folderFromEnvironment (const char* variable);
}
