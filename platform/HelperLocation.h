#pragma once

#include "common/ProductInfo.h"

#include <juce_core/juce_core.h>

/** Where the privileged helper lives, relative to the running program. */
class HelperLocation
{
public:
    static constexpr const char* helperName = ProductInfo::helperName;

    /** <program's folder>/../libexec/<helper>, both in the installed layout and in
        the build folder. */
    static juce::File find();

private:
    HelperLocation() = delete;
};
