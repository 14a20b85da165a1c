#include <gtest/gtest.h>

#include "helper/SystemLog.h"

#include <cstdlib>

TEST (SystemIdentity, AMacHelperNeverTakesTheAskerFromPkexecUid)
{
    // A root window started with sudo -E from a shell that set it.
    ::setenv ("PKEXEC_UID", "65534", 1);
    const auto identity = SystemLog::readIdentity (true);
    ::unsetenv ("PKEXEC_UID");

    EXPECT_EQ (identity.realUser, ::getuid());
    EXPECT_EQ (SystemLog::describeAskingUser (identity).find ("through pkexec"), std::string::npos);
}
