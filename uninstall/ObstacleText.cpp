#include "uninstall/ObstacleText.h"

namespace ObstacleText
{
    juce::String describe (const AuthorizationServices::PromptObstacle& obstacle)
    {
        using Kind = AuthorizationServices::PromptObstacle::Kind;

        switch (obstacle.kind)
        {
            case Kind::launcherMissing:
                return TRANS ("The password prompt cannot be shown: pkexec is not installed. "
                              "Install the pkexec package, then try again.");
            case Kind::helperMissing:
                return TRANS ("The password prompt cannot be shown: its helper is missing. "
                              "Install this program again, then try again.");
            case Kind::helperUntrusted:
                return TRANS ("The password prompt cannot be shown: its helper must be installed by root, "
                              "in folders that only root may change. Install this program as root.");
            case Kind::promptUnavailable:
                return TRANS ("No password prompt could be shown: no authentication agent is running. "
                              "Start one, such as lxpolkit or mate-polkit (a desktop session usually "
                              "starts one), then try again.");
            case Kind::systemCallMissing:
                return TRANS ("The password prompt cannot be shown: this version of macOS no longer lets a program "
                              "start its helper with administrator rights. Remove the driver with this program's "
                              "--uninstall option, run as root.");
            case Kind::noDesktop:
                return TRANS ("No password dialog could be shown: this session has no desktop to show it on. "
                              "Log in at the Mac's own screen, or run this program's --uninstall option as root.");
            case Kind::helperNotStarted:
                return TRANS ("Administrator rights were given, but the system could not start this program's helper "
                              "with them. Install this program again, then try again.");
            case Kind::none:
                break;
        }

        return {};
    }
}
