#pragma once

#include "common/ProductInfo.h"

#include <juce_core/juce_core.h>

/** Where the privileged helper lives, relative to the running program. */
namespace HelperLocation
{
    constexpr const char* helperName = ProductInfo::helperName;

    /** <program's folder>/../libexec/<helper>, both in the installed layout and in
        the build folder. */
    juce::File find();
}
