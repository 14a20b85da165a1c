#include <gtest/gtest.h>

#include "common/HelperProtocol.h"
#include "common/RemovalTool.h"
#include "helper/HelperRequests.h"
#include "platform/HelperConnection.h"
#include "platform/linux/HelperSpawn.h"
#include "support/ScratchFolder.h"
#include "support/TestAuthorization.h"

#include <juce_core/juce_core.h>

#include <chrono>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <poll.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace HelperProtocol
{
    bool operator== (const Reply& a, const Reply& b)
    {
        return a.code == b.code && a.toolExitStatus == b.toolExitStatus;
    }

    std::ostream& operator<< (std::ostream& out, const Reply& reply)
    {
        return out << "code " << reply.code << ", exit status " << reply.toolExitStatus;
    }
}

namespace
{
    using Strings = std::vector<std::string>;

    bool exists (const std::string& path)
    {
        return juce::File (path).exists();
    }

    /** The helper on pipes of the test's own, for what only raw bytes or the process
        itself can show: the program's connection speaks whole frames only. */
    struct HelperProcess
    {
        explicit HelperProcess (const Strings& command)
        {
            int input[2] { -1, -1 }, output[2] { -1, -1 };
            EXPECT_TRUE (::pipe2 (input, O_CLOEXEC) == 0 && ::pipe2 (output, O_CLOEXEC) == 0);

            std::vector<char*> argv;
            for (auto& text : command)
                argv.push_back (const_cast<char*> (text.c_str()));
            argv.push_back (nullptr);

            if ((pid = ::fork()) == 0)
            {
                ::dup2 (input[0], STDIN_FILENO);
                ::dup2 (output[1], STDOUT_FILENO);
                ::execv (argv[0], argv.data());
                ::_exit (127);
            }

            ::close (input[0]);
            ::close (output[1]);
            requestPipe = input[1];
            replyPipe = output[0];

            // Its first frame, before it waits for any lock, names the helper itself.
            std::int32_t greeted = 0;
            EXPECT_TRUE (HelperProtocol::readGreeting (replyPipe, greeted));
            EXPECT_EQ (greeted, pid);
        }

        /** Reaps the helper, unless the test took its pid. */
        ~HelperProcess()
        {
            closeRequestPipe();
            ::close (replyPipe);

            if (pid > 0)
                ::waitpid (pid, nullptr, 0);
        }

        void closeRequestPipe()  { ::close (std::exchange (requestPipe, -1)); }

        bool answersEcho() const
        {
            HelperProtocol::Reply reply;
            return HelperProtocol::writeRequest (requestPipe, { "/bin/echo" })
                && HelperProtocol::readReply (replyPipe, reply) && reply.code == HelperProtocol::toolStarted;
        }

        pid_t pid = -1;
        int requestPipe = -1, replyPipe = -1;
    };

    std::vector<unsigned char> operator+ (std::vector<unsigned char> a, const std::vector<unsigned char>& b)
    {
        a.insert (a.end(), b.begin(), b.end());
        return a;
    }

    std::vector<unsigned char> number (std::uint32_t value)
    {
        return HelperProtocol::encodeNumber (value);
    }

    std::vector<unsigned char> text (const std::string& s)
    {
        return number ((std::uint32_t) s.size()) + std::vector<unsigned char> (s.begin(), s.end());
    }

    /** Sends raw bytes as a request; true if the helper said it lost the framing and ended. */
    bool refusesAndEnds (const std::vector<unsigned char>& bytes, bool closeAfterwards = false)
    {
        HelperProcess helper (TestAuthorization::grantingCommand ({}));

        if (! HelperProtocol::writeAll (helper.requestPipe, bytes.data(), bytes.size()))
            return false;

        if (closeAfterwards)
            helper.closeRequestPipe();

        HelperProtocol::Reply reply;
        auto replied = HelperProtocol::readReply (helper.replyPipe, reply);
        unsigned char extra;
        auto ended = ::read (helper.replyPipe, &extra, 1) == 0;
        return replied && reply.code == HelperProtocol::framingLost && ended;
    }

    /** The reply to a tool that was started and ended with this status. */
    HelperProtocol::Reply ran (std::int32_t exitStatus)
    {
        return { HelperProtocol::toolStarted, exitStatus };
    }

    Strings removal (const std::string& target, const std::string& tool = "/bin/rm")
    {
        return HelperRequests::removalRequest (tool, target);
    }

    bool replyArrivesWithin (const HelperProcess& helper, int milliseconds)
    {
        pollfd reply { helper.replyPipe, POLLIN, 0 };
        return ::poll (&reply, 1, milliseconds) == 1;
    }

    /** From now on close_range fails in this process and its children, as it does
        on an older kernel or under a filter that forbids it. */
    void refuseCloseRange()
    {
        sock_filter filter[] {
            BPF_STMT (BPF_LD | BPF_W | BPF_ABS, offsetof (seccomp_data, nr)),
            BPF_JUMP (BPF_JMP | BPF_JEQ | BPF_K, __NR_close_range, 0, 1),
            BPF_STMT (BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
            BPF_STMT (BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        const sock_fprog program { (unsigned short) std::size (filter), filter };

        ASSERT_EQ (::prctl (PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0), 0);
        ASSERT_EQ (::prctl (PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program), 0);
        ASSERT_NE (::close_range (1000, 1000, 0), 0);
    }

    enum class StartedAs { sessionLeader, sessionLeaderOnATerminal, processGroupLeader };

    /** Starts the test helper as that, with its input closed at once, and returns its
        exit status and whether it greeted: one that serves greets, then ends at the
        end of its input. */
    std::pair<int, bool> exitStatusAndGreeting (StartedAs how)
    {
        const auto terminal = ::posix_openpt (O_RDWR | O_NOCTTY);
        EXPECT_TRUE (terminal >= 0 && ::grantpt (terminal) == 0 && ::unlockpt (terminal) == 0);
        const auto side = ::open (::ptsname (terminal), O_RDWR | O_NOCTTY);

        int input[2] { -1, -1 }, output[2] { -1, -1 };
        EXPECT_TRUE (::pipe (input) == 0 && ::pipe (output) == 0);
        const auto command = TestAuthorization::grantingCommand ({});
        const auto pid = ::fork();

        if (pid == 0)
        {
            if (how == StartedAs::processGroupLeader)
                ::setpgid (0, 0);
            else
                ::setsid();

            if (how == StartedAs::sessionLeaderOnATerminal && ::ioctl (side, TIOCSCTTY, 0) != 0)
                ::_exit (126);

            ::dup2 (input[0], STDIN_FILENO);
            ::dup2 (output[1], STDOUT_FILENO);
            ::execl (command[0].c_str(), command[0].c_str(), nullptr);
            ::_exit (127);
        }

        for (auto fd : { input[0], input[1], output[1], side })
            ::close (fd);

        std::int32_t greeted = 0;
        const auto greeting = HelperProtocol::readGreeting (output[0], greeted);
        int status = 0;
        ::waitpid (pid, &status, 0);
        ::close (output[0]);
        ::close (terminal);
        return { status, greeting };
    }

    /** A stand-in for rm that says when it has started, into that file, then takes half a second. */
    std::string slowRemovalTool (const ScratchFolder& scratch, const std::string& started)
    {
        const auto tool = scratch.file ("slow rm");
        tool.replaceWithText ("#!/bin/sh\necho started >'" + juce::String (started) + "'\nsleep 0.5\nexec /bin/rm \"$@\"\n",
                              false, false, "\n");
        tool.setExecutePermission (true);
        return tool.getFullPathName().toStdString();
    }

    bool waitForFile (const std::string& path)
    {
        for (int i = 0; i < 500 && juce::File (path).getSize() == 0; ++i)
            ::usleep (10000);

        return juce::File (path).getSize() > 0;
    }

    int millisecondsToExit (pid_t pid)
    {
        const auto start = std::chrono::steady_clock::now();

        for (int i = 0; i < 200; ++i)
        {
            int status = 0;

            if (::waitpid (pid, &status, WNOHANG) == pid)
                return (int) std::chrono::duration_cast<std::chrono::milliseconds> (
                    std::chrono::steady_clock::now() - start).count();

            ::usleep (10000);
        }

        ::kill (pid, SIGKILL);
        return -1;
    }
}

TEST (PrivilegedHelper, RunsEchoAndRemovesATreeWhosePathHoldsSpaces)
{
    ScratchFolder scratch;
    scratch.makeFile ("MIDI Drivers/Pelk Driver.plugin/Contents/Info plist");
    auto bundle = scratch.path ("MIDI Drivers/Pelk Driver.plugin");

    HelperConnection helper;
    ASSERT_TRUE (HelperSpawn::start (helper, TestAuthorization::grantingCommand ({ bundle })));

    EXPECT_EQ (helper.request ({ "/bin/echo" }), ran (0));
    EXPECT_EQ (helper.request (removal (bundle)), ran (0));
    EXPECT_FALSE (exists (bundle));
    EXPECT_TRUE (exists (scratch.path ("MIDI Drivers")));

    // Gone, as after another removal that came first: nothing runs.
    EXPECT_EQ (helper.request (removal (bundle)).code, HelperProtocol::pathAbsent);
}

TEST (PrivilegedHelper, TellsAToolThatFailsFromOneThatCannotStartAndSaysWhyABundleStays)
{
    ScratchFolder scratch;
    auto bundle = scratch.makeFile ("bundle");
    auto missingTool = scratch.path ("missing tool");

    HelperConnection helper;
    ASSERT_TRUE (HelperSpawn::start (helper, TestAuthorization::grantingCommand ({ bundle }, "/bin/false", missingTool)));

    EXPECT_EQ (helper.request ({ "/bin/false" }), ran (1));
    EXPECT_EQ (helper.request (removal (bundle, missingTool)).code, HelperProtocol::toolNotStarted);
    EXPECT_EQ (helper.request (removal (bundle, missingTool)).reason, "rm could not be started");
    EXPECT_EQ (helper.request ({ "/bin/false" }), ran (1));
    EXPECT_TRUE (exists (bundle));

    HelperConnection failing;
    ASSERT_TRUE (HelperSpawn::start (failing, TestAuthorization::grantingCommand ({ bundle }, "/bin/echo", "/bin/false")));
    EXPECT_EQ (failing.request (removal (bundle, "/bin/false")).reason,
               "still present after removal; rm ended with status 1");
}

TEST (PrivilegedHelper, RemovesNothingBelowALinkOrAFolderOthersMayWriteOrOwn)
{
    ScratchFolder scratch;
    scratch.makeFile ("real/bundle/file");
    scratch.makeFile ("open/bundle/file");
    scratch.makeFile ("group/bundle/file");
    scratch.makeFile ("owned/bundle/file");
    scratch.makeFile ("sticky/bundle/file");
    ASSERT_TRUE (juce::File (scratch.path ("real")).createSymbolicLink (juce::File (scratch.path ("link")), true));
    ASSERT_EQ (::chmod (scratch.path ("open").c_str(), 0757), 0);
    ASSERT_EQ (::chmod (scratch.path ("group").c_str(), 0775), 0);
    ASSERT_EQ (::chmod (scratch.path ("sticky").c_str(), 01777), 0);

    std::vector<std::pair<std::string, std::string>> untrusted {
        { scratch.path ("link/bundle"), "the folder " + scratch.path ("link") + " is a link" },
        { scratch.path ("open/bundle"), "the folder " + scratch.path ("open") + " may be written by others than its owner" },
        { scratch.path ("group/bundle"), "the folder " + scratch.path ("group") + " may be written by others than its owner" } };

    // Only root may give a folder away; "nobody" then owns one on the way.
    if (::geteuid() == 0)
    {
        ASSERT_EQ (::chown (scratch.path ("owned").c_str(), 65534, 65534), 0);
        untrusted.push_back ({ scratch.path ("owned/bundle"), "the folder " + scratch.path ("owned") + " belongs to uid 65534" });
    }

    const auto sticky = scratch.path ("sticky/bundle");
    Strings targets { sticky };
    for (auto& [target, reason] : untrusted)
        targets.push_back (target);

    HelperConnection helper;
    ASSERT_TRUE (HelperSpawn::start (helper, TestAuthorization::grantingCommand (targets)));

    for (auto& [target, reason] : untrusted)
    {
        const auto reply = helper.request (removal (target));
        EXPECT_EQ (reply.code, HelperProtocol::pathNotTrusted) << target;
        EXPECT_EQ (reply.reason, reason);
        EXPECT_TRUE (exists (target)) << target;
    }

    // Where others may only add entries of their own, ours cannot be moved.
    EXPECT_EQ (helper.request (removal (sticky)), ran (0));
    EXPECT_FALSE (exists (sticky));
}

TEST (PrivilegedHelper, RefusesEverythingButItsOwnRequestsAndKeepsServing)
{
    ScratchFolder scratch;
    auto allowed = scratch.makeFile ("allowed bundle");
    auto other = scratch.makeFile ("other bundle");

    HelperConnection helper;
    ASSERT_TRUE (HelperSpawn::start (helper, TestAuthorization::grantingCommand ({ allowed })));

    const Strings refused[] = {
        { "/bin/ls" },
        { "/bin/echo", "hello" },
        { "/bin/sh", "-c", "rm -r '" + allowed + "'" },
        removal (other),
        { "/bin/rm", "-r", allowed },
        { "/bin/rm", "--one-file-system", "-r", allowed },
        { "/bin/rm", "-rf", "--one-file-system", allowed },
        { "/bin/rm", "-r", "--one-file-system", allowed, other },
        removal (allowed + "/"),
        removal (allowed.substr (0, allowed.size() - 1)),
        removal (allowed, "/usr/bin/../../bin/rm"),
        removal (allowed, "bin/rm"),
        removal (allowed, "rm"),
        // Not a root lstat for anyone: only the bundles' existence is told.
        { HelperProtocol::existenceQuery, other },
        { HelperProtocol::existenceQuery, "/root" },
    };

    for (auto& request : refused)
        EXPECT_EQ (helper.request (request).code, HelperProtocol::toolNotAllowed) << request[0];

    // The longest string a request may hold is read, and refused like any other path.
    EXPECT_EQ (helper.request ({ "/" + std::string (HelperProtocol::maxStringLength - 1, 'b') }).code,
               HelperProtocol::toolNotAllowed);

    EXPECT_TRUE (exists (allowed));
    EXPECT_TRUE (exists (other));
    EXPECT_EQ (helper.request ({ "/bin/echo" }), ran (0));
    EXPECT_EQ (helper.request ({ HelperProtocol::existenceQuery, allowed }).code, HelperProtocol::pathPresent);
}

TEST (PrivilegedHelper, TheProductBuildAllowsOnlyTheDriverBundles)
{
    ScratchFolder scratch;
    auto bundle = scratch.makeFile ("bundle");

    // Run as root, it makes root's lock file; one that was not there before goes again.
    struct LockFileLeftAsFound
    {
        ~LockFileLeftAsFound()  { if (! existed) ::unlink (RemovalTool::lockFile); }
        const bool existed = exists (RemovalTool::lockFile);
    } lockFile;

    // The product's helper ignores its command line: nothing there widens what it runs.
    HelperConnection helper;
    ASSERT_TRUE (HelperSpawn::start (helper, { PELK_PRODUCT_HELPER_PATH, "--echo=/bin/true", "--rm=/bin/echo", bundle }));

    EXPECT_EQ (helper.request ({ "/bin/echo" }), ran (0));
    EXPECT_EQ (helper.request (removal (bundle)).code, HelperProtocol::toolNotAllowed);
    EXPECT_EQ (helper.request ({ "/bin/true" }).code, HelperProtocol::toolNotAllowed);
    EXPECT_EQ (helper.request (removal (bundle, "/bin/echo")).code, HelperProtocol::toolNotAllowed);
    EXPECT_EQ (helper.request ({ HelperProtocol::existenceQuery, bundle }).code, HelperProtocol::toolNotAllowed);
    EXPECT_TRUE (exists (bundle));
}

TEST (PrivilegedHelper, RefusesMalformedRequestsAndRunsNothing)
{
    const auto echo = text ("/bin/echo");

    EXPECT_TRUE (refusesAndEnds (number (0)));
    EXPECT_TRUE (refusesAndEnds (number (HelperProtocol::maxStrings + 1) + echo));
    // The whole string is sent: one that is read in spite of its length is answered, at once.
    EXPECT_TRUE (refusesAndEnds (number (1) + text ("/" + std::string (HelperProtocol::maxStringLength, 'b')), true));
    EXPECT_TRUE (refusesAndEnds (number (1) + text (std::string ("/bin/echo\0x", 11))));

    // Cut short: within a number, within a string, and a string missing.
    EXPECT_TRUE (refusesAndEnds ({ 1, 0 }, true));
    EXPECT_TRUE (refusesAndEnds (number (1) + number (9) + std::vector<unsigned char> { '/', 'b' }, true));
    EXPECT_TRUE (refusesAndEnds (number (2) + echo, true));
}

TEST (PrivilegedHelper, ASecondHelperWaitsForTheFirstAndThenFindsTheBundleGone)
{
    ScratchFolder scratch;
    auto bundle = scratch.makeFile ("bundle");
    const auto command = TestAuthorization::grantingCommand ({ bundle, "--lock=" + scratch.path ("lock") });

    auto first = std::make_unique<HelperConnection>();
    ASSERT_TRUE (HelperSpawn::start (*first, command));
    ASSERT_EQ (first->request ({ "/bin/echo" }), ran (0));

    HelperProcess second (command);
    ASSERT_TRUE (HelperProtocol::writeRequest (second.requestPipe, { HelperProtocol::existenceQuery, bundle }));
    EXPECT_FALSE (replyArrivesWithin (second, 300));

    EXPECT_EQ (first->request (removal (bundle)), ran (0));
    first.reset();

    ASSERT_TRUE (replyArrivesWithin (second, 5000));
    HelperProtocol::Reply reply;
    ASSERT_TRUE (HelperProtocol::readReply (second.replyPipe, reply));
    EXPECT_EQ (reply.code, HelperProtocol::pathAbsent);
}

TEST (PrivilegedHelper, StartedOnATerminalSaysWhatItIsInOneLineAndExitsWith2)
{
    const auto terminal = ::posix_openpt (O_RDWR | O_NOCTTY);
    ASSERT_GE (terminal, 0);
    ASSERT_EQ (::grantpt (terminal), 0);
    ASSERT_EQ (::unlockpt (terminal), 0);
    const auto side = ::open (::ptsname (terminal), O_RDWR | O_NOCTTY);
    ASSERT_GE (side, 0);

    int output[2];
    ASSERT_EQ (::pipe (output), 0);
    const auto pid = ::fork();

    if (pid == 0)
    {
        ::dup2 (side, STDIN_FILENO);
        ::dup2 (side, STDOUT_FILENO);
        ::dup2 (output[1], STDERR_FILENO);
        ::execl (PELK_PRODUCT_HELPER_PATH, PELK_PRODUCT_HELPER_PATH, nullptr);
        ::_exit (127);
    }

    ::close (output[1]);
    ::close (side);
    char said[512] {};
    HelperProtocol::readAll (output[0], said, sizeof (said) - 1);
    int status = 0;
    ::waitpid (pid, &status, 0);
    ::close (output[0]);
    ::close (terminal);

    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 2) << status;
    EXPECT_EQ (juce::StringArray::fromLines (juce::String (said).trimEnd()).size(), 1) << said;
    EXPECT_TRUE (juce::String (said).contains ("privileged helper of PELK USB MIDI Driver Uninstaller")) << said;
}

TEST (PrivilegedHelper, ExitsWithinASecondWhenOurEndCloses)
{
    HelperProcess helper (TestAuthorization::grantingCommand ({}));
    ASSERT_TRUE (helper.answersEcho());
    helper.closeRequestPipe();

    auto milliseconds = millisecondsToExit (std::exchange (helper.pid, -1));
    EXPECT_GE (milliseconds, 0);
    EXPECT_LT (milliseconds, 1000);
}

TEST (PrivilegedHelper, ExitsWithinASecondWhenOurProcessIsKilled)
{
    // Orphans come to us, so that we can see the helper end.
    ASSERT_EQ (::prctl (PR_SET_CHILD_SUBREAPER, 1), 0);

    int pidPipe[2];
    ASSERT_EQ (::pipe (pidPipe), 0);

    auto owner = ::fork();
    ASSERT_GE (owner, 0);

    if (owner == 0)
    {
        HelperProcess helper (TestAuthorization::grantingCommand ({}));
        const pid_t helperPid = helper.answersEcho() ? helper.pid : -1;

        HelperProtocol::writeAll (pidPipe[1], &helperPid, sizeof (helperPid));
        ::pause();
        ::_exit (0);
    }

    pid_t helperPid = -1;
    ASSERT_TRUE (HelperProtocol::readAll (pidPipe[0], &helperPid, sizeof (helperPid)));
    ASSERT_GT (helperPid, 0);

    ::kill (owner, SIGKILL);
    ::waitpid (owner, nullptr, 0);

    auto milliseconds = millisecondsToExit (helperPid);
    EXPECT_GE (milliseconds, 0);
    EXPECT_LT (milliseconds, 1000);
}

TEST (PrivilegedHelper, ToolsGetOnlyTheStandardDescriptorsACleanEnvironmentAndDefaultSignals)
{
    ScratchFolder scratch;
    const auto record = scratch.path ("record");
    const auto probe = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                           .getSiblingFile ("tool_probe").getFullPathName().toStdString();

    // What a parent may hand the helper: an open descriptor, an ignored and a blocked signal.
    const auto inherited = ::open ("/dev/null", O_RDONLY);
    ASSERT_GT (inherited, STDERR_FILENO);
    ::signal (SIGQUIT, SIG_IGN);
    sigset_t blocked;
    sigemptyset (&blocked);
    sigaddset (&blocked, SIGUSR1);
    ::sigprocmask (SIG_BLOCK, &blocked, nullptr);

    auto whatTheToolGets = [&]
    {
        juce::File (record).create();
        HelperConnection helper;
        EXPECT_TRUE (HelperSpawn::start (helper, TestAuthorization::grantingCommand ({ record }, "/bin/echo", probe)));
        EXPECT_EQ (helper.request (removal (record, probe)), ran (0));

        juce::StringArray lines;
        juce::File (record).readLines (lines);
        juce::File (record).deleteFile();
        lines.removeEmptyStrings();
        return lines;
    };

    const juce::StringArray standardOnly { "descriptor 0", "descriptor 1", "descriptor 2",
                                           "environment PATH=/usr/bin:/bin:/usr/sbin:/sbin" };
    EXPECT_EQ (whatTheToolGets(), standardOnly);

    // Handed no standard error, the helper's /dev/null takes its number: the tool still gets it.
    const auto standardError = ::dup (STDERR_FILENO);
    ::close (STDERR_FILENO);
    const auto withoutStandardError = whatTheToolGets();
    ::dup2 (standardError, STDERR_FILENO);
    ::close (standardError);
    EXPECT_EQ (withoutStandardError, standardOnly);

    // Nor does the helper itself keep what it was handed, for its whole life as root.
    {
        HelperProcess helper (TestAuthorization::grantingCommand ({}));
        juce::StringArray helpersOwn;
        for (auto& entry : juce::File ("/proc/" + juce::String (helper.pid) + "/fd")
                               .findChildFiles (juce::File::findFilesAndDirectories, false))
            helpersOwn.add (entry.getFileName());
        helpersOwn.sortNatural();
        EXPECT_EQ (helpersOwn, juce::StringArray ({ "0", "1", "2" }));
    }

    refuseCloseRange();
    EXPECT_EQ (whatTheToolGets(), standardOnly);

    ::sigprocmask (SIG_UNBLOCK, &blocked, nullptr);
    ::signal (SIGQUIT, SIG_DFL);
    ::close (inherited);
}

TEST (PrivilegedHelper, LeadsASessionOfItsOwnWithNoTerminalOrServesNobody)
{
    {
        HelperProcess helper (TestAuthorization::grantingCommand ({}));
        EXPECT_EQ (::getsid (helper.pid), helper.pid);
        EXPECT_EQ (::getpgid (helper.pid), helper.pid);
    }

    // Started by a caller that made it a leader already, setsid() fails: a session
    // without a terminal is what it would have made; anywhere else it greets nobody.
    EXPECT_EQ (exitStatusAndGreeting (StartedAs::sessionLeader), std::make_pair (0, true));

    for (auto how : { StartedAs::sessionLeaderOnATerminal, StartedAs::processGroupLeader })
    {
        const auto [status, greeted] = exitStatusAndGreeting (how);
        EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 1) << status;
        EXPECT_FALSE (greeted);
    }
}

TEST (PrivilegedHelper, ASignalThatWouldEndItWaitsForTheRemovalItsReplyAndRecord)
{
    // SIGQUIT ends it with a core dump; none is wanted here.
    const rlimit noCore { 0, RLIM_INFINITY };
    ASSERT_EQ (::setrlimit (RLIMIT_CORE, &noCore), 0);

    for (const auto number : { SIGINT, SIGTERM, SIGHUP, SIGQUIT })
    {
        // As from a terminal, whatever the tests were started ignoring.
        ::signal (number, SIG_DFL);
        ScratchFolder scratch;
        const auto bundle = scratch.makeBundle (0).getFullPathName().toStdString();
        const auto started = scratch.path ("rm started");
        const auto tool = slowRemovalTool (scratch, started);

        HelperProcess helper (TestAuthorization::grantingCommand ({ bundle }, "/bin/echo", tool));
        ASSERT_TRUE (HelperProtocol::writeRequest (helper.requestPipe, removal (bundle, tool)));
        ASSERT_TRUE (waitForFile (started)) << number;
        ::kill (helper.pid, number);

        HelperProtocol::Reply reply;
        EXPECT_TRUE (HelperProtocol::readReply (helper.replyPipe, reply)) << number;
        EXPECT_EQ (reply, ran (0)) << number;
        EXPECT_FALSE (exists (bundle)) << number;

        int status = 0;
        ::waitpid (std::exchange (helper.pid, -1), &status, 0);
        EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == number) << number << ": " << status;
    }
}

TEST (PrivilegedHelper, SaysAPathThatItCannotLookAtIsUnknownNotAbsent)
{
    // A loop of links stops even root's lstat.
    ScratchFolder scratch;
    ASSERT_EQ (::symlink ("loop", scratch.path ("loop").c_str()), 0);
    const auto hidden = scratch.path ("loop/bundle");

    HelperConnection helper;
    ASSERT_TRUE (HelperSpawn::start (helper, TestAuthorization::grantingCommand ({ hidden })));

    for (auto& request : { Strings { HelperProtocol::existenceQuery, hidden }, removal (hidden) })
    {
        const auto reply = helper.request (request);
        EXPECT_EQ (reply.code, HelperProtocol::pathUnknown) << request[0];
        EXPECT_EQ (reply.reason, "it could not be looked at (Too many levels of symbolic links)") << request[0];
    }
}
