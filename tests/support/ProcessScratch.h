#pragma once

#include <juce_core/juce_core.h>

/** One scratch folder per test process, for everything the process and its
    children make. A process that is killed (a case that times out) cannot remove
    its folder; the next test process to start does, once no process holds it. */
namespace ProcessScratch
{
    /** Removes the folders of test processes that have ended, then makes this
        process's own folder and holds it until release() or the process's end. */
    juce::File claim();

    /** Removes this process's folder. */
    void release();

    /** Removes the folders in root whose lock files no process holds. */
    void removeFoldersOfEndedProcesses (const juce::File& root);
}
