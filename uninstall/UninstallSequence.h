#pragma once

#include "uninstall/AuthorizationRequest.h"
#include "uninstall/DriverRemoval.h"
#include "uninstall/UninstallSetup.h"

#include <functional>
#include <memory>
#include <vector>

/** The one way an uninstall goes, whether the window's job or the command line
    runs it: what keeps the prompt from being shown, the rights, the survey, the
    removals with their second look, and the outcome. Where the window and the
    command line must differ is decided in one place, by the caller it is made for. */
class UninstallSequence
{
public:
    enum class Caller { window, commandLine };

    struct Outcome
    {
        enum class Kind { removed, nothingToRemove, refused };

        Kind kind = Kind::refused;

        /** Removed: each bundle absent, removed or remains. Otherwise each as the user
            sees it, since nothing was removed. */
        std::vector<DriverRemoval::Bundle> bundles;

        /** Refused: why no prompt could be shown; none when the user said no, or when
            the answer came too late. */
        AuthorizationServices::PromptObstacle obstacle = {};
    };

    UninstallSequence (UninstallSetup setup, Caller caller);

    /** Runs on the calling thread, and blocks while the user is asked. The rights go
        into auth once granted, and stay there for the caller to give back: the
        window gives them back under the message thread's lock.
        isStillWanted is asked once the user has answered; false removes nothing. */
    Outcome run (std::unique_ptr<CAuth>& auth, const std::function<bool()>& isStillWanted);

    /** From any thread: closes an open prompt where the system can, and makes the
        run that waits for it return at once, removing nothing. */
    void withdraw()  { authorizationRequest.withdraw(); }

private:
    std::unique_ptr<AuthorizationServices> createServices() const;
    Outcome refused (const AuthorizationServices::PromptObstacle& obstacle) const;

    const UninstallSetup setup;
    const Caller caller;
    AuthorizationRequest authorizationRequest;

    UninstallSequence (const UninstallSequence&) = delete;
    UninstallSequence& operator= (const UninstallSequence&) = delete;
};
