#pragma once

#include "platform/AuthorizationServices.h"
#include "platform/HelperConnection.h"
#include "platform/HelperTrust.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

/** Authorization through our privileged helper, the same on every system. A handle
    is a session whose helper has not started; its first launch has the system start
    the helper with administrator rights (the moment the user is asked), and every
    launch, that first one too, is a request to that one helper. Releasing closes the
    connection, which ends the helper, then gives the system's rights back. Each
    system says only how it asks and starts the helper, and how it closes its prompt. */
class HelperAuthorizationServices : public AuthorizationServices
{
public:
    PromptObstacle findPromptObstacle() const override;
    void setRequester (Requester who) override;

    Status create (Handle& handle) override;
    Status launchPrivileged (Handle handle, const char* toolPath, char* const* arguments) override;

    /** The helper replies only once the tool has ended: nothing is left to wait for. */
    void waitForTool (Handle) override  {}
    std::string describeLastLaunch (Handle) const override  { return lastReason; }

    /** Asked of the helper, as root, for the paths it may remove: the user may not
        even be able to look into their folders. With no rights, the user's own view;
        with rights whose helper cannot answer, unknown. */
    PathState inspectPath (Handle handle, const char* path) override;
    void releaseDestroyingRights (Handle handle) override;
    void withdrawPrompt() override;

    /** Why the helper at this path may not be handed to the system: it is missing,
        or not trusted exactly there. None when it may. */
    static PromptObstacle findHelperObstacle (const juce::File& helper, const HelperTrust::Rule& rule);

protected:
    struct Session
    {
        HelperConnection connection;
        void* systemReference = nullptr;   // the system's own authorization, where it keeps one
    };

    explicit HelperAuthorizationServices (PromptObstacle obstacle);

    /** The system's authorization for a new session; asks nothing yet. */
    virtual Status createReference (void*& reference);
    virtual void releaseReference (void* reference);

    /** Asks the user, has the system start the helper with these arguments and
        sends it the first request; returns the first reply's code, or the system's
        status where no helper started. */
    virtual Status startHelper (Session& session, const std::vector<std::string>& helperArguments,
                                const std::vector<std::string>& firstRequest) = 0;

    /** From another thread, while the session is asking: closes the prompt where the
        system can. */
    virtual void closePrompt (Session& session) = 0;

    /** For startHelper: runs start (which may not block), then counts the session as
        asking. False, having run nothing, once the prompt has been withdrawn. */
    bool beginAsking (Session& session, const std::function<bool()>& start);

    /** The session no longer asks. True if the prompt was withdrawn meanwhile: the
        rights that came too late must not be used. */
    bool endAsking();

    void reportObstacle (PromptObstacle found);

    /** Who asked, in the helper's own words, for its record. */
    std::string describeRequester() const;

private:
    mutable std::mutex promptLock;
    PromptObstacle obstacle;
    Requester requester = Requester::window;
    std::string lastReason;   // launches come one at a time, on one thread
    Session* askingSession = nullptr;   // whose answer is awaited
    bool withdrawn = false;
};
