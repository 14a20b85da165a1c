#include <gtest/gtest.h>

#include "helper/SystemLog.h"

#include <cstdlib>
#include <unistd.h>

TEST (SystemLog, EscapesControlCharactersOnceAndKeepsTheRest)
{
    const std::string shaped = "mallory\nMar  1 root: removed\r\x1b[2J\t\x7f \xc3\xa9 50% \\ ok";
    const std::string escaped = "mallory\\x0aMar  1 root: removed\\x0d\\x1b[2J\\x09\\x7f \xc3\xa9 50% \\ ok";

    EXPECT_EQ (SystemLog::escapeControlCharacters (shaped), escaped);
    EXPECT_EQ (SystemLog::escapeControlCharacters (escaped), escaped);
}

TEST (SystemLog, NamesTheAskingUserFromWhatRootCanTrust)
{
    if (::getuid() != 0)
    {
        // Anyone else's environment is their own: only their own id counts.
        ::setenv ("PKEXEC_UID", "0", 1);
        EXPECT_NE (SystemLog::describeAskingUser().find ("(uid " + std::to_string (::getuid()) + ")"), std::string::npos);
        return;
    }

    EXPECT_EQ (SystemLog::describeAskingUser(), "root (uid 0)");

    // sudo's variables agree with each other, or count for nothing.
    ::setenv ("SUDO_USER", "root\nfake line", 1);
    ::setenv ("SUDO_UID", "65534", 1);
    EXPECT_EQ (SystemLog::describeAskingUser(), "root (uid 0)");

    ::setenv ("SUDO_USER", "nobody", 1);
    EXPECT_EQ (SystemLog::describeAskingUser(), "nobody (uid 65534) through sudo");

    ::setenv ("PKEXEC_UID", "0x10", 1);
    EXPECT_EQ (SystemLog::describeAskingUser(), "nobody (uid 65534) through sudo");

    ::setenv ("PKEXEC_UID", "65534", 1);
    ::unsetenv ("SUDO_USER");
    EXPECT_EQ (SystemLog::describeAskingUser(), "nobody (uid 65534) through pkexec");
}
