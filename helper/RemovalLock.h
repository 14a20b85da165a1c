#pragma once

#include <string>

/** Keeps removals from running twice at once: the side that acts as root holds it
    for as long as it may remove, and a second one waits for it. */
class RemovalLock
{
public:
    /** Waits until nobody else holds the lock kept in that file, and says so on
        standard error once it has waited a second: a script must not seem to hang.
        With no file, or one that cannot be opened (no /run), holds nothing:
        removing matters more. Stops waiting, and holds nothing, once a signal
        that a TerminationHold holds off has come: the caller, which asks the
        hold too, then removes nothing and reports, and ends by that signal. */
    explicit RemovalLock (const std::string& file);
    ~RemovalLock();

private:
    int descriptor = -1;

    RemovalLock (const RemovalLock&) = delete;
    RemovalLock& operator= (const RemovalLock&) = delete;
};
