#pragma once

#include <juce_core/juce_core.h>

/** The folder this program keeps its temporary files in, which every start clears
    by moving it to the user's Trash. */
class AppTempFolder
{
public:
    /** The folder, created if it is missing. */
    static juce::File get();

    /** Moves the folder to the Trash; never a folder that other programs share.
        Returns true if it was moved. */
    static bool moveToTrash();

private:
    AppTempFolder() = delete;
};
