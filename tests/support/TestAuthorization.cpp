#include "support/TestAuthorization.h"

#include "platform/LinuxAuthorizationServices.h"

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

std::unique_ptr<CAuth> TestAuthorization::create (bool grant, const std::vector<std::string>& allowedTargets)
{
    auto command = grant ? grantingCommand (allowedTargets) : refusingCommand();
    return std::make_unique<CAuth> (std::make_unique<LinuxAuthorizationServices> (command));
}
