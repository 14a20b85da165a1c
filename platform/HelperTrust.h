#pragma once

#include <juce_core/juce_core.h>

#include <optional>

/** Decides whether the privileged helper may be handed to pkexec: a helper that
    anyone but root could replace, or edit, would run their code as root. */
namespace HelperTrust
{
    /** The helper's real path (every symbolic link resolved) when the helper is a
        regular file owned by root that neither its group nor others may write,
        below folders of which the same holds up to "/"; nothing otherwise.
        Launch the returned path, not the one passed in. */
    std::optional<juce::File> verify (const juce::File& helper);
}
