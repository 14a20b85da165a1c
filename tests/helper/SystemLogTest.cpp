#include <gtest/gtest.h>

#include "helper/SystemLog.h"

#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

TEST (SystemLog, EscapesControlCharactersC1AndBytesThatAreNotUtf8OnceAndKeepsTheRest)
{
    const std::string shaped = "mallory\nMar  1 root: removed\r\x1b[2J\t\x7f \xc3\xa9 50% \\ \xc2\x9b\xff ok";
    const std::string escaped = "mallory\\x0AMar  1 root: removed\\x0D\\x1B[2J\\x09\\x7F \xc3\xa9 50% \\ \\xC2\\x9B\\xFF ok";

    EXPECT_EQ (SystemLog::escapeControlCharacters (shaped), escaped);
    EXPECT_EQ (SystemLog::escapeControlCharacters (escaped), escaped);
}

TEST (SystemLog, NamesTheAskingUserFromWhatTheKernelKeepsAndTheEnvironmentOnlyWherePkexecSetIt)
{
    using Identity = SystemLog::Identity;

    // Anyone but root set their environment themselves: only their own id counts.
    EXPECT_EQ (SystemLog::describeAskingUser (Identity { 65534, 0, "0", "0", true }), "nobody (uid 65534)");

    // The login user stays the person through sudo; the environment names the route only.
    EXPECT_EQ (SystemLog::describeAskingUser (Identity { 0, 65534, "", "65534", false }), "nobody (uid 65534) through sudo");
    EXPECT_EQ (SystemLog::describeAskingUser (Identity { 0, 0, "", "65534", false }), "root (uid 0)");

    // pkexec names whom it authenticated; a login user who is someone else is only that.
    EXPECT_EQ (SystemLog::describeAskingUser (Identity { 0, 65534, "65534", "", true }), "nobody (uid 65534) through pkexec");
    EXPECT_EQ (SystemLog::describeAskingUser (Identity { 0, 0, "65534", "65534", true }),
               "nobody (uid 65534) through pkexec, logged in as root (login uid 0)");

    // With no login user: pkexec's word counts in the helper it started, not in a
    // program run as root that inherited a user's variables (after su, or sudo -E).
    EXPECT_EQ (SystemLog::describeAskingUser (Identity { 0, std::nullopt, "65534", "", true }), "nobody (uid 65534) through pkexec");
    EXPECT_EQ (SystemLog::describeAskingUser (Identity { 0, std::nullopt, "65534", "65534", false }), "root (uid 0)");
    EXPECT_EQ (SystemLog::describeAskingUser (Identity { 0, std::nullopt, "0x10", "", true }), "root (uid 0)");
}

TEST (SystemLog, ALoginUserThatAProcessOutsideAnyLoginSetForItselfIsNotTaken)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "names the asker only as root";

    // What a service or a cron job may do: set its own unset login user, once.
    const auto child = ::fork();
    ASSERT_GE (child, 0);

    if (child == 0)
    {
        std::ofstream loginUser ("/proc/self/loginuid");
        loginUser << 0 << std::flush;

        if (! loginUser)
            ::_exit (77);

        ::setenv ("PKEXEC_UID", "65534", 1);
        const auto identity = SystemLog::readIdentity (true);
        ::_exit (identity.loginUser.has_value() ? 1
                 : SystemLog::describeAskingUser (identity) != "nobody (uid 65534) through pkexec" ? 2 : 0);
    }

    int status = 0;
    ASSERT_EQ (::waitpid (child, &status, 0), child);
    ASSERT_TRUE (WIFEXITED (status));

    if (WEXITSTATUS (status) == 77)
        GTEST_SKIP() << "this process's login user is set already, or the kernel keeps none";

    EXPECT_EQ (WEXITSTATUS (status), 0);
}
