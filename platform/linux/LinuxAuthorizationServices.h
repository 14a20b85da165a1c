#pragma once

#include "platform/HelperAuthorizationServices.h"

#include <string>
#include <vector>

/** Authorization through pkexec: the first launch starts the helper with the given
    command, which is when the desktop prompts. Withdrawing the prompt ends pkexec
    while it still asks: until the user has authenticated, it is the user's own process. */
class LinuxAuthorizationServices : public HelperAuthorizationServices
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

protected:
    /** Also learns from pkexec's status 127 that it could not ask at all (no
        authentication agent, no polkit), where 126 is the user's "no"; 127 with
        pkexec's word for a failed authentication is a "no" too. */
    Status startHelper (Session& session, const std::vector<std::string>& helperArguments,
                        const std::vector<std::string>& firstRequest) override;
    void closePrompt (Session& session) override;

private:
    const std::vector<std::string> helperCommand;
};
