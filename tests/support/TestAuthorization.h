#pragma once

#include "uninstall/CAuth.h"

#include <string>
#include <vector>

/** Real authorization objects for tests, on the build of the helper that is made
    for tests: started directly instead of through pkexec, and allowing the given
    scratch paths in place of the driver's bundles. Needs neither root nor a prompt. */
class TestAuthorization
{
public:
    /** Starts the test helper itself, as a granted prompt would; the tools it runs
        in place of "/bin/echo" and "/bin/rm" may be stand-ins. */
    static std::vector<std::string> grantingCommand (const std::vector<std::string>& allowedTargets,
                                                     const std::string& echoTool = "/bin/echo",
                                                     const std::string& removeTool = "/bin/rm");

    /** Ends at once with pkexec's status for a dismissed prompt, starting no helper. */
    static std::vector<std::string> refusingCommand();

    /** Ends at once with pkexec's status when it found no agent to ask the user. */
    static std::vector<std::string> agentlessCommand();

    /** Ends as pkexec does when the user did not authenticate: the same status, and
        its word for it on standard error. */
    static std::vector<std::string> failedAuthenticationCommand();

    /** Stands in for pkexec with a prompt that stays open: it notes each prompt in
        answersFifo + ".log", then waits for a line on the fifo; "grant" starts the
        test helper in its place, as pkexec does, anything else refuses. */
    static std::vector<std::string> heldPromptCommand (const std::string& answersFifo,
                                                       const std::vector<std::string>& allowedTargets);

    static std::unique_ptr<AuthorizationServices> createServices (bool grant,
                                                                  const std::vector<std::string>& allowedTargets);
    static std::unique_ptr<CAuth> create (bool grant, const std::vector<std::string>& allowedTargets);

private:
    TestAuthorization() = delete;
};
