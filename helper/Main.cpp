// The program's privileged helper. pkexec on Linux, and the Security framework on
// a Mac, start it as root for anyone who can authenticate as an administrator, so
// it runs only what the uninstaller needs: "/bin/echo" with no arguments, and
// "/bin/rm -r" staying on one file system on one of the driver bundles, byte
// for byte, where nobody but root can change the folders on the bundle's path. It
// also tells whether one of those bundles exists, which the user may be unable to
// see, and writes each removal to the system log. The way through it: this file,
// HelperService (the serving), HelperRequests (what is allowed), ToolRun (the
// starting of a tool).

#include "common/DriverBundles.h"
#include "common/RemovalTool.h"
#include "helper/HelperService.h"

// What runs as root is built hardened or not at all; an unoptimised build for the
// sanitizers cannot fortify. The checks are GNU's library's; the Mac's compiler and
// library harden by their own defaults.
#if defined (__GLIBCXX__) \
    && (! defined (_GLIBCXX_ASSERTIONS) || (defined (__OPTIMIZE__) && (! defined (_FORTIFY_SOURCE) || _FORTIFY_SOURCE < 3)))
 #error "The privileged helper is built with _GLIBCXX_ASSERTIONS and, optimised, _FORTIFY_SOURCE=3"
#endif

int main (int argc, char** argv)
{
    HelperRequests::AllowList allowed;
    allowed.startedAsHelper = true;
    allowed.targets.assign (DriverBundles::paths.begin(), DriverBundles::paths.end());

    // Only who asked is taken from the command line: nothing there widens what we
    // run, and nothing is taken from the environment but the user pkexec names.
    for (int i = 1; i < argc; ++i)
        HelperService::readAsker (argv[i], allowed);

    return HelperService::serve (allowed, RemovalTool::lockFile);
}
