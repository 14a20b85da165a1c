// The program as the end-to-end tests run it: never installed. Its prompt is the
// test helper started directly (or a refusal, as when the prompt is dismissed), and
// it removes the scratch paths it is given instead of the driver's bundles, from
// the window and from the command line alike (run as root, the command line removes
// them with root's own rights):
//   UNINSTALLER_TEST_TARGETS  the paths, one a line
//   UNINSTALLER_TEST_LOCK     the lock file that the command line run as root holds
//                             (none without)
//   UNINSTALLER_TEST_PROMPT   "refuse" to refuse the rights; "no-agent" to find nobody
//                             to ask, as pkexec without an agent; "hold" to keep the prompt
//                             open until a line on UNINSTALLER_TEST_PROMPT_ANSWERS
//                             (a fifo) answers it, "grant" or anything else

#include "app/CommandLine.h"
#include "app/QMV_HubApplication.h"
#include "platform/linux/LinuxAuthorizationServices.h"
#include "platform/RootAuthorizationServices.h"
#include "platform/UserLanguage.h"
#include "support/TestAuthorization.h"
#include "uninstall/UninstallSetup.h"

namespace
{
    UninstallSetup setupFromEnvironment()
    {
        auto lines = juce::StringArray::fromLines (
            juce::SystemStats::getEnvironmentVariable ("UNINSTALLER_TEST_TARGETS", {}));
        lines.removeEmptyStrings();

        std::vector<std::string> targets;
        for (auto& line : lines)
            targets.push_back (line.toStdString());

        const auto prompt = juce::SystemStats::getEnvironmentVariable ("UNINSTALLER_TEST_PROMPT", {});
        const auto answers = juce::SystemStats::getEnvironmentVariable ("UNINSTALLER_TEST_PROMPT_ANSWERS", {});
        const auto lockFile = juce::SystemStats::getEnvironmentVariable ("UNINSTALLER_TEST_LOCK", {}).toStdString();

        return { targets, [prompt, answers, targets] () -> std::unique_ptr<AuthorizationServices>
        {
            if (prompt == "no-agent")
                return std::make_unique<LinuxAuthorizationServices> (TestAuthorization::agentlessCommand());

            if (prompt == "hold")
                return std::make_unique<LinuxAuthorizationServices> (
                    TestAuthorization::heldPromptCommand (answers.toStdString(), targets));

            return TestAuthorization::createServices (prompt != "refuse", targets);
        },
        [targets, lockFile]
        {
            HelperRequests::AllowList allowed;
            allowed.targets = targets;
            return std::make_unique<RootAuthorizationServices> (allowed, lockFile);
        } };
    }

    juce::JUCEApplicationBase* createApplication()
    {
        return new QMV_HubApplication (setupFromEnvironment(), UserLanguage::getCode());
    }
}

int main (int argc, char* argv[])
{
    return CommandLine::main (argc, argv, setupFromEnvironment(), &createApplication);
}
