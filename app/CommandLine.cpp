#include "app/CommandLine.h"

#include "app/CommandLineReport.h"
#include "uninstall/DriverRemoval.h"
#include "wizard/ObstacleText.h"

#if JUCE_LINUX || JUCE_BSD
 #include "platform/linux/HelperRequests.h"
 #include "platform/linux/RemovalLock.h"
 #include <unistd.h>
#endif

#include <algorithm>
#include <iostream>

namespace
{
    using Bundles = std::vector<DriverRemoval::Bundle>;

    bool isFinderProcessSerialNumber (const juce::String& text)
    {
        return text.startsWith ("-psn_");
    }

    juce::String quoted (const juce::String& text)
    {
        return "'" + text + "'";
    }

    void writeTo (std::ostream& stream, const juce::String& text)
    {
        stream << text.toStdString() << std::flush;
    }

   #if JUCE_LINUX || JUCE_BSD
    /** Run as root, we answer our own requests, exactly as the privileged helper would,
        and so write the record as it does. */
    DriverRemoval::Rights rootsOwnRights (const std::vector<std::string>& targets)
    {
        HelperRequests::AllowList allowed;
        allowed.targets = targets;
        allowed.asker = "the command line";

        return { [allowed] (const std::string& path)
                 {
                     return HelperRequests::answer ({ HelperProtocol::existenceQuery, path }, allowed).code
                         == HelperProtocol::pathPresent;
                 },
                 [allowed] (const std::string& path)
                 {
                     return HelperRequests::answer (HelperRequests::removalRequest (allowed.removeTool, path),
                                                    allowed).reason;
                 } };
    }
   #endif

    /** Why nothing was removed: a user who said no needs no more; one who was never asked does. */
    juce::String describeRefusal (const AuthorizationServices::PromptObstacle& obstacle)
    {
        if (auto explanation = ObstacleText::describe (obstacle); explanation.isNotEmpty())
            return explanation + " (" + juce::String::fromUTF8 (obstacle.path.c_str()) + ") Nothing was removed.";

        return "administrator rights were refused or could not be asked for; nothing was removed";
    }
}

CommandLine::CommandLine (const juce::ArgumentList& arguments)
    : problem (parse (arguments))
{
    if (problem.isNotEmpty())
        action = Action::misuse;
}

juce::String CommandLine::parse (const juce::ArgumentList& arguments)
{
    const std::pair<const char*, Action> actionOptions[] {
        { "--help", Action::showHelp }, { "--version", Action::showVersion },
        { "--list", Action::list }, { "--uninstall", Action::uninstall } };

    juce::Array<Action> actions;

    for (auto& argument : arguments.arguments)
    {
        const auto& text = argument.text;
        const auto* known = std::find_if (std::begin (actionOptions), std::end (actionOptions),
                                          [&text] (auto& option) { return text == option.first; });

        if (isFinderProcessSerialNumber (text))
            continue;

        if (text == "--json")
            json = true;
        else if (known != std::end (actionOptions))
            actions.addIfNotAlreadyThere (known->second);
        else
            return (argument.isOption() ? "unknown option " : "unexpected argument ") + quoted (text);
    }

    if (actions.contains (Action::showHelp))
    {
        action = Action::showHelp;
        return {};
    }

    if (actions.size() > 1)
        return "choose one of --help, --version, --list and --uninstall";

    action = actions.isEmpty() ? Action::openWindow : actions.getFirst();

    if (json && action != Action::list && action != Action::uninstall)
        return "--json goes with --list or --uninstall";

    return {};
}

juce::String CommandLine::getUsage()
{
    return juce::String (R"(Usage: pelk-usb-midi-driver-uninstaller [--list | --uninstall] [--json]
       pelk-usb-midi-driver-uninstaller --help | --version

Removes the PELK USB MIDI Driver. Without options it opens its window, which
needs a graphical session; with an option it runs without a window.

Options:
  --list       Print each of the driver's bundles, in removal order, as
               "present" or "absent", a tab and its path. Removes nothing and
               asks for nothing.
  --uninstall  Remove the bundles that are present and print each bundle as
               "removed", "absent" or "remains", a tab and its path. Run as
               root, it removes them at once; run as another user, it asks for
               administrator rights once, through pkexec on Linux (which asks in
               the terminal when no desktop is there to ask) and through the
               system's password prompt on macOS. When the rights are refused,
               it prints the bundles as --list does.
  --json       With --list or --uninstall: print one JSON object instead,
               {"version": "3.0.0", "changed": false,
                "bundles": [{"path": "...", "state": "absent"}, ...]}
               where "changed" is true when something was removed.
  --help       Print this help and exit.
  --version    Print the program's name and version and exit.

Exit status:
  0  Done; after --uninstall, no bundle remains.
  1  After --uninstall, a bundle remains; or the window found no display.
  2  The command line was not understood.
  4  Administrator rights were refused or could not be asked for; nothing
     was removed.

Every removal and every bundle that remains is written to the system log,
with the user who asked. The command line never touches the Trash or the
program's cache folder.
)").replace ("3.0.0", UNINSTALLER_VERSION);
}

int CommandLine::run (const UninstallSetup& setup, std::ostream& out, std::ostream& err) const
{
    switch (action)
    {
        case Action::showHelp:
            writeTo (out, getUsage());
            return success;

        case Action::showVersion:
            writeTo (out, juce::String (programName) + " " + UNINSTALLER_VERSION + "\n");
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

    writeTo (err, juce::String (programName) + ": " + problem + "\n\n" + getUsage());
    return misused;
}

int CommandLine::uninstall (const UninstallSetup& setup, std::ostream& out, std::ostream& err) const
{
    const auto finish = [this, &out] (const Bundles& bundles)
    {
        report (bundles, out);
        return CommandLineReport::exitStatus (bundles);
    };

   #if JUCE_LINUX || JUCE_BSD
    if (::geteuid() == 0)
    {
        const RemovalLock lock (setup.removalLockFile);
        return finish (DriverRemoval::removeExisting (setup.targets, rootsOwnRights (setup.targets)));
    }
   #endif

    // Asked even when the user sees nothing to remove: the folders may hide it from them.
    auto services = setup.createServices();
    services->setRequester (AuthorizationServices::Requester::commandLine);
    const auto obstacle = services->findPromptObstacle();
    CAuth auth (std::move (services));

    if (! auth.isAuthorized())
    {
        // Still a report, so that what parses our output needs no second way.
        report (DriverRemoval::survey (setup.targets), out);
        writeTo (err, juce::String (programName) + ": " + describeRefusal (obstacle) + "\n");
        return rightsRefused;
    }

    return finish (DriverRemoval::removeExisting (setup.targets, DriverRemoval::throughAuthorization (auth)));
}

void CommandLine::report (const std::vector<DriverRemoval::Bundle>& bundles, std::ostream& out) const
{
    writeTo (out, json ? CommandLineReport::toJson (bundles) : CommandLineReport::toLines (bundles));
}

int CommandLine::main (int argc, char* argv[], juce::JUCEApplicationBase* (*createApplication)())
{
    const CommandLine commandLine (juce::ArgumentList (argc, argv));

    if (commandLine.getAction() != Action::openWindow)
        return commandLine.run (UninstallSetup::forThisProgram(), std::cout, std::cerr);

    juce::JUCEApplicationBase::createInstance = createApplication;
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
