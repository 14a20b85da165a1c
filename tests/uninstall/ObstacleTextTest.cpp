#include <gtest/gtest.h>

#include "style/JapaneseLocale.h"
#include "uninstall/ObstacleText.h"

namespace
{
    /** The authentication agents that a text names, as the words that name one. */
    juce::StringArray agentsNamedIn (const juce::String& text)
    {
        juce::StringArray agents;

        for (auto& word : juce::StringArray::fromTokens (text, " ,()（）、。", {}))
            if (word.contains ("polkit") || word.contains ("policykit"))
                agents.add (word);

        return agents;
    }

    /** Whether the package lists that apt has fetched hold a package of that name. */
    bool aptKnows (const juce::String& package)
    {
        juce::ChildProcess aptCache;

        if (! aptCache.start (juce::StringArray { "apt-cache", "show", "--no-all-versions", package }))
            return false;

        const auto output = aptCache.readAllProcessOutput();
        return aptCache.waitForProcessToFinish (10000) && aptCache.getExitCode() == 0
            && output.contains ("Package: " + package + "\n");
    }

    bool hasAptLists()
    {
        return juce::File ("/var/lib/apt/lists").getNumberOfChildFiles (juce::File::findFiles, "*_Packages*") > 0;
    }
}

TEST (ObstacleText, TheAgentsSuggestedWhenNoneRunsAreDebianPackagesNamedAlikeInBothLanguages)
{
    const auto english = ObstacleText::describe ({ AuthorizationServices::PromptObstacle::Kind::promptUnavailable, {} });
    const juce::LocalisedStrings japanese (JapaneseLocale::getTranslationText(), false);

    const auto agents = agentsNamedIn (english);
    ASSERT_FALSE (agents.isEmpty()) << english;
    EXPECT_EQ (agentsNamedIn (japanese.translate (english)), agents);

    if (! hasAptLists())
        GTEST_SKIP() << "apt has no package lists here to look the agents up in";

    for (auto& agent : agents)
        EXPECT_TRUE (aptKnows (agent)) << agent << " is no package this system's archive has";
}
