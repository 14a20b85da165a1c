#include <gtest/gtest.h>

#include "support/MessageLoop.h"
#include "wizard/MainLayoutComponent.h"

TEST (MainLayoutComponent, StartsOnTheWelcomePage)
{
    MainLayoutComponent host;

    EXPECT_EQ (host.getBounds(), juce::Rectangle<int> (0, 0, 400, 240));
    ASSERT_EQ (host.getPageStack().size(), 1);
    EXPECT_EQ (host.getPageStack()[0], &host.getWelcomePage());
    EXPECT_TRUE (host.getWelcomePage().isVisible());
    EXPECT_FALSE (host.getThankYouPage().isVisible());
    EXPECT_FALSE (host.getShadow().isVisible());
}
