#pragma once

#include "platform/AuthorizationServices.h"

#include <mutex>
#include <string>
#include <vector>

class HelperConnection;

/** Authorization through our privileged helper. A handle is a connection that has
    not started anything yet; its first launch starts the helper with the given
    command (for the product, pkexec: the moment the desktop prompts), and every
    later launch goes through that same helper. Releasing closes the connection,
    which ends the helper. Withdrawing the prompt ends pkexec while it still asks:
    until the user has authenticated, it is the user's own process. */
class LinuxAuthorizationServices : public AuthorizationServices
{
public:
    /** The program and arguments that start the helper with administrator rights,
        and what, if anything, keeps them from asking. */
    explicit LinuxAuthorizationServices (std::vector<std::string> helperCommand,
                                         PromptObstacle obstacle = {});

    static constexpr const char* pkexecPath = "/usr/bin/pkexec";
    static constexpr int pkexecCouldNotAsk = 127;

    /** pkexec at its absolute path, on the helper installed beside the program; empty
        unless the helper is there itself, not a link, and trusted. */
    static std::vector<std::string> getPkexecCommand();

    /** Why that command cannot ask: no pkexec, no helper, or one that anyone but
        root could change or that is a link to something else. */
    static PromptObstacle findPkexecObstacle();

    /** Also what the first launch learned: pkexec's status 127 says that it could not
        ask at all (no authentication agent, no polkit), where 126 is the user's "no". */
    PromptObstacle findPromptObstacle() const override;
    void setRequester (Requester who) override  { requester = who; }

    Status create (Handle& handle) override;
    Status launchPrivileged (Handle handle, const char* toolPath, char* const* arguments) override;
    void waitForTool (Handle handle) override;
    std::string describeLastLaunch (Handle) const override  { return lastReason; }

    /** Asked of the helper, as root, for the paths it may remove: the user may not
        even be able to look into their folders. The user's own view otherwise. */
    bool pathExists (Handle handle, const char* path) override;
    void releaseDestroyingRights (Handle handle) override;
    void withdrawPrompt() override;

private:
    Status startHelper (HelperConnection& connection, const std::vector<std::string>& firstRequest);

    const std::vector<std::string> helperCommand;
    mutable std::mutex promptLock;
    PromptObstacle obstacle;
    Requester requester = Requester::window;
    std::string lastReason;   // launches come one at a time, on one thread
    HelperConnection* askingConnection = nullptr;   // whose first reply, the answer, is awaited
    bool withdrawn = false;
};
