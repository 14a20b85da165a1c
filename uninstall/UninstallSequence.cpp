#include "uninstall/UninstallSequence.h"

#include "common/TerminationHold.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <unistd.h>

namespace
{
    using Caller = UninstallSequence::Caller;
    using Outcome = UninstallSequence::Outcome;
    using Requester = AuthorizationServices::Requester;

    /** Where the window and the command line go different ways, and why. */
    struct Way
    {
        Requester requester;

        /** A click is the user asking for the prompt; a script run on a machine that the
            user already sees clean asks nobody for a password. */
        bool asksWhenAllAbsent;

        /** Run as root, the command line needs no prompt: an MDM's script or Ansible's
            become has nobody to answer one. The window has a person in front of it,
            and asks as the system's rule for administrator rights says. */
        bool usesRootsOwnRights;

        /** The window shows its working look for a moment even when there was nothing
            to remove; a script waits for nobody. */
        int pauseAfterRemovalMs;
    };

    Way wayFor (Caller caller)
    {
        if (caller == Caller::window)
            return { Requester::window, true, false, 2000 };

        return { Requester::commandLine, false, true, 0 };
    }

    bool allAbsent (const std::vector<DriverRemoval::Bundle>& bundles)
    {
        return std::all_of (bundles.begin(), bundles.end(),
                            [] (auto& bundle) { return bundle.state == DriverRemoval::State::absent; });
    }
}

UninstallSequence::UninstallSequence (UninstallSetup setupToUse, Caller callerToServe)
    : setup (std::move (setupToUse)), caller (callerToServe)
{
}

UninstallSequence::Outcome UninstallSequence::run (std::unique_ptr<CAuth>& auth,
                                                   const std::function<bool()>& isStillWanted)
{
    const auto way = wayFor (caller);

    // A bundle that a folder hides from the user (unknown) is worth asking for.
    if (! way.asksWhenAllAbsent)
        if (auto seen = DriverRemoval::survey (setup.targets); allAbsent (seen))
            return { Outcome::Kind::nothingToRemove, std::move (seen) };

    auto services = createServices();
    services->setRequester (way.requester);

    // A user who could never be asked is told why, before anything is tried.
    if (auto obstacle = services->findPromptObstacle(); obstacle.kind != AuthorizationServices::PromptObstacle::Kind::none)
        return refused (obstacle);

    auth = authorizationRequest.ask (std::move (services));

    // Withdrawn, or closed while the prompt was open: whatever the answer, nothing is removed.
    if (auth == nullptr || ! auth->isAuthorized() || ! isStillWanted())
        return refused (auth != nullptr ? auth->findPromptObstacle() : AuthorizationServices::PromptObstacle {});

    // A signal held off while removing (the command line holds them) stops the next removal.
    auto bundles = DriverRemoval::removeExisting (setup.targets, DriverRemoval::throughAuthorization (*auth),
                                                  [] { return TerminationHold::received() == 0; });
    juce::Thread::sleep (way.pauseAfterRemovalMs);
    return { Outcome::Kind::removed, std::move (bundles) };
}

std::unique_ptr<AuthorizationServices> UninstallSequence::createServices() const
{
    if (wayFor (caller).usesRootsOwnRights && ::geteuid() == 0 && setup.createRootServices != nullptr)
        return setup.createRootServices();

    return setup.createServices();
}

UninstallSequence::Outcome UninstallSequence::refused (const AuthorizationServices::PromptObstacle& obstacle) const
{
    // Still the bundles as the user sees them, so that a report needs no second form.
    return { Outcome::Kind::refused, DriverRemoval::survey (setup.targets), obstacle };
}
