// The program as the end-to-end tests run it: never installed. Its prompt is the
// test helper started directly (or a refusal, as when the prompt is dismissed), and
// it removes the scratch paths it is given instead of the driver's bundles:
//   UNINSTALLER_TEST_TARGETS  the paths, one a line
//   UNINSTALLER_TEST_PROMPT   "refuse" to refuse the rights

#include "app/QMV_HubApplication.h"
#include "support/TestAuthorization.h"
#include "uninstall/UninstallSetup.h"

UninstallSetup UninstallSetup::forThisProgram()
{
    auto lines = juce::StringArray::fromLines (
        juce::SystemStats::getEnvironmentVariable ("UNINSTALLER_TEST_TARGETS", {}));
    lines.removeEmptyStrings();

    std::vector<std::string> targets;
    for (auto& line : lines)
        targets.push_back (line.toStdString());

    const auto grant = juce::SystemStats::getEnvironmentVariable ("UNINSTALLER_TEST_PROMPT", {}) != "refuse";

    return { targets, [grant, targets] { return TestAuthorization::create (grant, targets); } };
}

START_JUCE_APPLICATION (QMV_HubApplication)
