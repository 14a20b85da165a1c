#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <sys/types.h>

/** Decides whether the privileged helper may be handed to the system to run as
    root: a helper that anyone else could replace, or edit, would run their code
    as root. The same rule on every system; only whom it trusts besides root differs. */
namespace HelperTrust
{
    struct Rule
    {
        /** Besides root: the owner of the bundle that carries the helper on a Mac (an
            app that an administrator drags into /Applications is theirs); none on Linux. */
        std::optional<uid_t> alsoTrustedOwner = {};

        /** The folder up to which every folder is held to the helper's own rule; above
            it, a folder need only be one that no other user may rename entries in (a
            Mac's /Applications is the admin group's to change). Empty: up to "/". */
        juce::File top = {};
    };

    /** The helper's real path (every symbolic link resolved) when the helper is a
        regular file owned by root, or by the rule's other owner, that neither its
        group nor others may write, below folders of which the same holds up to the
        rule's top; nothing otherwise. Launch the returned path, not the one passed in. */
    std::optional<juce::File> verify (const juce::File& helper, const Rule& rule = {});

    /** The helper itself, where it is trusted exactly at that path: no link on the
        way, which could lead to any program of root's (bash passes the owner checks). */
    std::optional<juce::File> verifyInPlace (const juce::File& helper, const Rule& rule = {});
}
