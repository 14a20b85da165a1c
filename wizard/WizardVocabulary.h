#pragma once

/** What the pages and the uninstall job say to MainLayoutComponent, and the names
    by which it knows its pages: compared exactly, case and all. */
namespace WizardVocabulary
{
    /** The action messages; a command is the message's first token. */
    inline constexpr const char* uninstall = "uninstall";
    inline constexpr const char* finished = "finished";
    inline constexpr const char* completed = "completed";

    // Kept on purpose: no page sends these, and MainLayoutComponent still answers them.
    inline constexpr const char* moveForwardTo = "moveForwardTo";
    inline constexpr const char* moveBackwardTo = "moveBackwardTo";
    inline constexpr const char* moveBackward = "moveBackward";

    /** The page names, each page's component name. */
    inline constexpr const char* startPage = "QMVHubPageNameStart";
    inline constexpr const char* thankYouPage = "QMVHubPageNameThankYou";
}
