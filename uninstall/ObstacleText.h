#pragma once

#include "platform/AuthorizationServices.h"

#include <juce_core/juce_core.h>

/** The words that tell a user why the password prompt could not even be shown,
    or why the rights it gave started nothing, and what fixes it. */
namespace ObstacleText
{
    /** Empty when nothing is in the way. The path concerned is shown beside it. */
    juce::String describe (const AuthorizationServices::PromptObstacle& obstacle);
}
