#pragma once

#include "common/ProductInfo.h"
#include "uninstall/DriverRemoval.h"
#include "uninstall/UninstallSetup.h"

#include <juce_events/juce_events.h>

#include <iosfwd>
#include <string>
#include <vector>

/** The program's options, for administrators and the tools they drive many
    machines with. With none, the program is its window; with any, it runs to its
    end without a window and without connecting to a display. */
class CommandLine
{
public:
    enum class Action { openWindow, showHelp, showVersion, list, uninstall, misuse };

    enum ExitStatus
    {
        success = 0,
        bundleRemains = 1,
        windowUnavailable = 1,
        misused = 2,
        reportUnwritten = 3,
        rightsRefused = 4
    };

    static constexpr const char* programName = ProductInfo::programName;

    /** The arguments after the program's name, as the bytes they came as. Those that
        the system adds for itself (SystemArguments) are not options. */
    explicit CommandLine (const std::vector<std::string>& arguments);

    Action getAction() const noexcept           { return action; }

    /** Carries out any action but openWindow and returns the exit status; a report
        that could not be written makes it reportUnwritten, whatever else happened. */
    int run (const UninstallSetup& setup, std::ostream& out, std::ostream& err) const;

    /** The program's entry point: the window through the framework's application
        runner, or the command line, which removes what the setup says. */
    static int main (int argc, char* argv[], const UninstallSetup& setup,
                     juce::JUCEApplicationBase* (*createApplication)());

    static juce::String getUsage();

private:
    juce::String parse (const std::vector<std::string>& arguments);
    int carryOut (const UninstallSetup& setup, std::ostream& out, std::ostream& err) const;
    int uninstall (const UninstallSetup& setup, std::ostream& out, std::ostream& err) const;

    /** The bundles as lines, or as one JSON object when asked for. */
    void report (const std::vector<DriverRemoval::Bundle>& bundles, std::ostream& out) const;

    Action action = Action::openWindow;
    bool json = false;
    juce::String problem;
};
