#include "app/CommandLine.h"

#include "app/CommandLineReport.h"
#include "common/TerminationHold.h"
#include "common/TextEscape.h"
#include "platform/SystemArguments.h"
#include "uninstall/ObstacleText.h"
#include "uninstall/UninstallSequence.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iostream>

namespace
{
    /** An argument as the user typed it, quoted, with what a terminal would act on,
        and bytes that are not UTF-8, written as \xNN (and a backslash as two). */
    juce::String quoted (const std::string& argument)
    {
        return juce::String::fromUTF8 (("'" + TextEscape::escape (argument, TextEscape::Backslash::doubled) + "'").c_str());
    }

    void writeTo (std::ostream& stream, const juce::String& text)
    {
        stream << text.toStdString() << std::flush;
    }

    /** A standard stream that came closed gets /dev/null, read-only: nothing we open
        later takes its number (the report would go into it), and writing to it still fails. */
    void occupyClosedStandardStreams()
    {
        // open() takes the lowest free number: the one just found closed.
        for (int stream = 0; stream <= 2; ++stream)
            if (::fcntl (stream, F_GETFD) == -1 && errno == EBADF)
                ::open ("/dev/null", O_RDONLY);
    }

    /** Why nothing was removed: a user who said no needs no more; one who was never asked does. */
    juce::String describeRefusal (const AuthorizationServices::PromptObstacle& obstacle)
    {
        const auto path = juce::String::fromUTF8 (obstacle.path.c_str());

        if (auto explanation = ObstacleText::describe (obstacle); explanation.isNotEmpty())
            return explanation + (path.isEmpty() ? "" : " (" + path + ")") + " Nothing was removed.";

        return "administrator rights were refused or could not be asked for; nothing was removed";
    }
}

CommandLine::CommandLine (const std::vector<std::string>& arguments)
    : problem (parse (SystemArguments::withoutSystemArguments (arguments)))
{
    if (problem.isNotEmpty())
        action = Action::misuse;
}

juce::String CommandLine::parse (const std::vector<std::string>& arguments)
{
    const std::pair<const char*, Action> actionOptions[] {
        { "--help", Action::showHelp }, { "--version", Action::showVersion },
        { "--list", Action::list }, { "--uninstall", Action::uninstall } };

    juce::StringArray actionsGiven;
    bool optionsEnded = false;

    for (auto& argument : arguments)
    {
        const auto* known = std::find_if (std::begin (actionOptions), std::end (actionOptions),
                                          [&argument] (auto& option) { return argument == option.first; });

        if (argument.empty())
            return "an empty argument is not an option";

        if (optionsEnded)
            return "unexpected argument " + quoted (argument);

        if (argument == "--")
            optionsEnded = true;
        else if (argument == "--json")
            json = true;
        else if (known != std::end (actionOptions))
            actionsGiven.addIfNotAlreadyThere (known->first);
        else
            return (argument[0] == '-' ? "unknown option " : "unexpected argument ") + quoted (argument);
    }

    if (actionsGiven.size() > 1)
        return actionsGiven[0] + " and " + actionsGiven[1] + " do not go together: give one of them";

    for (auto& [name, actionOfName] : actionOptions)
        if (actionsGiven.contains (name))
            action = actionOfName;

    if (json && action != Action::list && action != Action::uninstall)
        return "--json goes only with --list or --uninstall";

    return {};
}

juce::String CommandLine::getUsage()
{
    return juce::String (R"(Usage: {program} [--list | --uninstall] [--json]
       {program} --help | --version

Removes the PELK USB MIDI Driver. Without options it opens its window, which
needs a graphical session; with an option it runs without a window.

Give one of --list, --uninstall, --help and --version, in any order with
--json where it goes. "--" ends the options; nothing may follow it. Anything
else, an empty argument too, is a usage error.

Options:
  --list       Print each of the driver's bundles, in removal order, as
               "present", "absent" or "unknown" (a folder on its path does not
               let you look), a tab and its path. Removes nothing and asks for
               nothing.
  --uninstall  Remove the bundles that are present and print each bundle as
               "removed", "absent" or "remains", a tab and its path. Run as
               root, it removes them at once; run as another user, it asks for
               administrator rights once, through pkexec on Linux (which asks in
               the terminal when no desktop is there to ask) and through the
               system's password prompt on macOS, unless it sees every bundle
               absent itself. When the rights are refused, it prints the
               bundles as --list does. A bundle that remains has a tab and
               the reason after its path: a folder on its path that was not
               trusted, a file system mounted inside it (never emptied), the
               removal tool's status, or still present after removal. One
               that could not be looked at with the rights remains too. A
               SIGINT, SIGTERM, SIGHUP or SIGQUIT lets the bundle in progress
               finish, then ends the program by that signal once it has
               reported.
  --json       With --list or --uninstall: print one JSON object instead,
               {"version": "{version}", "changed": false,
                "bundles": [{"path": "...", "state": "absent"}, ...]}
               where "changed" is true when something was removed; a bundle
               that remains also has a "reason".
  --help       Print this help and exit.
  --version    Print the program's name and version, and on a second line
               the version of the framework it was built with, and exit.

Exit status:
  0  Done; after --uninstall, no bundle remains.
  1  After --uninstall, a bundle remains; or the window found no display.
  2  The command line was not understood.
  3  The report could not be written to standard output (full, closed or
     gone), whatever else happened; what was removed stays removed.
  4  Administrator rights were refused, could not be asked for, or could
     not start the helper; nothing was removed.

Every removal and every bundle that remains is written to the system log by
the side that acts as root, with the user who asked (journalctl -t
{program} _UID=0 on Linux). The command line never touches the
Trash or the program's cache folder.
)").replace ("{program}", ProductInfo::programName)
          .replace ("{version}", ProductInfo::version);
}

int CommandLine::run (const UninstallSetup& setup, std::ostream& out, std::ostream& err) const
{
    // An MDM agent's SIGTERM, or a Ctrl-C, lets the bundle in progress finish and the
    // report be written; then we end by it, once everything below has been said.
    const auto hold = action == Action::uninstall ? std::make_unique<TerminationHold>() : nullptr;
    const auto status = carryOut (setup, out, err);

    if (! out.fail())
        return status;

    writeTo (err, juce::String (programName) + ": standard output could not be written, so the report is lost"
                  + (action == Action::uninstall ? "; what was removed stays removed and is in the system log\n" : "\n"));
    return reportUnwritten;
}

int CommandLine::carryOut (const UninstallSetup& setup, std::ostream& out, std::ostream& err) const
{
    switch (action)
    {
        case Action::showHelp:
            writeTo (out, getUsage());
            return success;

        case Action::showVersion:
            writeTo (out, juce::String (programName) + " " + ProductInfo::version + "\n"
                            + "built with " + juce::SystemStats::getJUCEVersion() + "\n");
            return success;

        case Action::list:
            report (DriverRemoval::survey (setup.targets), out);
            return success;

        case Action::uninstall:
            return uninstall (setup, out, err);

        case Action::openWindow:
        case Action::misuse:
            break;
    }

    writeTo (err, juce::String (programName) + ": " + problem + "; see '" + programName + " --help'\n");
    return misused;
}

int CommandLine::uninstall (const UninstallSetup& setup, std::ostream& out, std::ostream& err) const
{
    UninstallSequence sequence (setup, UninstallSequence::Caller::commandLine);
    std::unique_ptr<CAuth> auth;
    const auto outcome = sequence.run (auth, [] { return true; });
    auth = nullptr;

    // A refusal still reports the bundles, so that what parses our output needs no second way.
    report (outcome.bundles, out);

    if (outcome.kind != UninstallSequence::Outcome::Kind::refused)
        return CommandLineReport::exitStatus (outcome.bundles);

    writeTo (err, juce::String (programName) + ": " + describeRefusal (outcome.obstacle) + "\n");
    return rightsRefused;
}

void CommandLine::report (const std::vector<DriverRemoval::Bundle>& bundles, std::ostream& out) const
{
    writeTo (out, json ? CommandLineReport::toJson (bundles) : CommandLineReport::toLines (bundles));
}

int CommandLine::main (int argc, char* argv[], const UninstallSetup& setup,
                       juce::JUCEApplicationBase* (*createApplication)())
{
    occupyClosedStandardStreams();
    const CommandLine commandLine (std::vector<std::string> (argv + std::min (argc, 1), argv + argc));

    // A reader that went away is a report that could not be written, not a reason to
    // end unheard; a helper that went away is a removal that remains. A Mac raises
    // SIGPIPE for a whole process, on whichever thread, so no one thread can hold it.
    std::signal (SIGPIPE, SIG_IGN);

    if (commandLine.getAction() != Action::openWindow)
        return commandLine.run (setup, std::cout, std::cerr);

    juce::JUCEApplicationBase::createInstance = createApplication;
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
