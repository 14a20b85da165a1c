#include <gtest/gtest.h>

#include "platform/SystemArguments.h"

TEST (MacSystemArguments, PassesOverCocoasOwnArgumentsAndTheirValues)
{
    using Arguments = std::vector<std::string>;
    const auto without = [] (const Arguments& arguments) { return SystemArguments::withoutSystemArguments (arguments); };

    // Xcode's Run, `open --args -AppleLanguages '(ja)'`, and Finder on older systems.
    EXPECT_EQ (without ({ "-NSDocumentRevisionsDebugMode", "YES" }), Arguments {});
    EXPECT_EQ (without ({ "-AppleLanguages", "(ja)", "-AppleLocale", "ja_JP" }), Arguments {});
    EXPECT_EQ (without ({ "-psn_0_1234567" }), Arguments {});

    // Around our own options, which stay in order; a value is never an option, and -psn_ has none.
    EXPECT_EQ (without ({ "--json", "-AppleLocale", "ja_JP", "-psn_0_1", "--list" }), (Arguments { "--json", "--list" }));
    EXPECT_EQ (without ({ "-AppleLanguages", "--uninstall" }), Arguments { "--uninstall" });
    EXPECT_EQ (without ({ "-psn_0_1", "uninstall" }), Arguments { "uninstall" });
    EXPECT_EQ (without ({ "--list", "-NSQuitAlwaysKeepsWindows" }), Arguments { "--list" });
    EXPECT_EQ (without ({ "-NSWindowResizeTime", "-1", "--list" }), Arguments { "--list" });

    // Anything else is left for the command line to judge.
    const Arguments others { "--NSDocumentRevisionsDebugMode", "-nsfoo", "-psn", "-apple", "--bogus", "", "YES" };
    EXPECT_EQ (without (others), others);
}
