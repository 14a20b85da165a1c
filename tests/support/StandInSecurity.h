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
      trampoline is;
    - every call is recorded, in order. */
namespace StandInSecurity
{
    /** noDesktop: nowhere to show the dialog (ssh, nobody at the screen). */
    enum class Answer { grant, cancel, hold, noDesktop };

    /** Forgets the calls and the script: the next dialogs get these answers in
        turn, and a cancel once they are used up. */
    void reset (std::vector<Answer> answers = {});

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

    /** The children that a refused launch left for nobody to reap. */
    std::vector<pid_t> getAbandonedChildren();
}
