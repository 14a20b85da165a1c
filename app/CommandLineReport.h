#pragma once

#include "uninstall/DriverRemoval.h"

#include <juce_core/juce_core.h>

/** What the command line prints about the bundles, and the status it exits with. */
namespace CommandLineReport
{
    /** One line per bundle: its state, a tab and its path; for one that remains, a
        tab and why. */
    juce::String toLines (const std::vector<DriverRemoval::Bundle>& bundles);

    /** One object: {"version": ..., "changed": ..., "bundles": [{"path": ..., "state": ...}, ...]};
        changed is true when something was removed; a bundle that remains has a "reason". */
    juce::String toJson (const std::vector<DriverRemoval::Bundle>& bundles);

    /** 0 unless a bundle remains, then 1. */
    int exitStatus (const std::vector<DriverRemoval::Bundle>& bundles);
}
