#include "support/TestAuthorization.h"

#include "platform/linux/LinuxAuthorizationServices.h"

std::vector<std::string> TestAuthorization::grantingCommand (const std::vector<std::string>& allowedTargets,
                                                             const std::string& echoTool,
                                                             const std::string& removeTool)
{
    std::vector<std::string> command { PELK_TEST_HELPER_PATH, "--echo=" + echoTool, "--rm=" + removeTool };
    command.insert (command.end(), allowedTargets.begin(), allowedTargets.end());
    return command;
}

std::vector<std::string> TestAuthorization::refusingCommand()
{
    return { "/bin/sh", "-c", "exit 126" };
}

std::vector<std::string> TestAuthorization::agentlessCommand()
{
    return { "/bin/sh", "-c", "echo 'Error executing command as another user: No authentication agent found.' >&2; exit 127" };
}

std::vector<std::string> TestAuthorization::failedAuthenticationCommand()
{
    return { "/bin/sh", "-c", "printf 'Error executing command as another user: Not authorized\\n\\n"
                              "This incident has been reported.\\n' >&2; exit 127" };
}

std::vector<std::string> TestAuthorization::heldPromptCommand (const std::string& answersFifo,
                                                              const std::vector<std::string>& allowedTargets)
{
    std::vector<std::string> command { "/bin/sh", PELK_HELD_PROMPT_PATH, answersFifo };
    const auto helper = grantingCommand (allowedTargets);
    command.insert (command.end(), helper.begin(), helper.end());
    return command;
}

std::unique_ptr<AuthorizationServices> TestAuthorization::createServices (bool grant,
                                                                          const std::vector<std::string>& allowedTargets)
{
    return std::make_unique<LinuxAuthorizationServices> (grant ? grantingCommand (allowedTargets)
                                                               : refusingCommand());
}

std::unique_ptr<CAuth> TestAuthorization::create (bool grant, const std::vector<std::string>& allowedTargets)
{
    return std::make_unique<CAuth> (createServices (grant, allowedTargets));
}
