#pragma once

#include <juce_core/juce_core.h>

#include <unistd.h>

namespace ScratchNames
{
    /** A name for a scratch folder inside the base folder that no other test takes:
        cases run side by side in processes of their own, so the process id is part of it. */
    inline juce::File uniqueIn (const juce::File& base, const juce::String& name)
    {
        return base.getNonexistentChildFile (name + " " + juce::String (::getpid()), " scratch", false);
    }

    inline juce::File uniqueInTemp (const juce::String& name)
    {
        return uniqueIn (juce::File::getSpecialLocation (juce::File::tempDirectory), name);
    }
}
