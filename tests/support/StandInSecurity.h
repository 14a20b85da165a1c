#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

/** The Security framework's authorization calls for the Linux tests, behaving as a
    Mac's do, with a scriptable user at the dialog:
    - AuthorizationCopyRights with interaction shows the dialog to that user: a grant
      gives the reference the right, a cancel returns errAuthorizationCanceled with
      no child, and a held dialog stays open until the test answers it;
    - AuthorizationExecuteWithPrivileges forks and executes the tool in that child,
      so that the child's id is the tool's, with one socket on its standard input and
      output, handed back opened "r+"; with a reference that lacks the right, the
      child asks first and, refused, exits and is left unreaped, as the system's
      trampoline is, and so is a child whose exec failed; flags other than the
      defaults are refused before anything starts;
    - every call is recorded, in order. */
namespace StandInSecurity
{
    /** noDesktop: nowhere to show the dialog (ssh, nobody at the screen); deny: a
        user who is no administrator, or a password wrong three times. */
    enum class Answer { grant, cancel, hold, noDesktop, deny };

    /** The system's rule for administrator rights: the shipped one keeps a grant
        for a while; one whose timeout an administrator set to 0 asks every time,
        so that a pre-authorization succeeds unasked, holds nothing, and the launch
        asks instead, in the system's own dialog. */
    enum class Rule { keepsRights, asksEveryTime };

    /** How the next launch ends once the user has granted: as asked; with
        errAuthorizationToolEnvironmentError and its child left unreaped; or with
        success and no pipe, as where fdopen failed, the tool running on with its
        socket's other end open in our process. */
    enum class Launch { asAsked, environmentError, noPipe };

    /** Forgets the calls, the script and any socket a launch left open: the next
        dialogs get these answers in turn, and a cancel once they are used up. */
    void reset (std::vector<Answer> answers = {}, Rule rule = Rule::keepsRights, Launch nextLaunch = Launch::asAsked);

    /** Waits until a held dialog is open; false if none opened within the time. */
    bool waitForHeldDialog (int milliseconds);

    /** Answers the dialog that is held open. */
    void answerHeldDialog (bool grant);

    /** "AuthorizationCreate", "AuthorizationCopyRights <right> prompt=<text>
        icon=<path> flags=<n>", "AuthorizationExecuteWithPrivileges <tool> <arguments>",
        "AuthorizationFree <flags>". */
    std::vector<std::string> getCalls();

    /** Waits until a call starting with these words has been made. */
    bool waitForCall (const std::string& start, int milliseconds);

    /** Every child that a launch made, the tool or what asked and failed: never
        reaped by the stand-in, as the system reaps none. */
    std::vector<pid_t> getLaunchedChildren();
}
