#pragma once

#include "common/ProductInfo.h"
#include "platform/HelperTrust.h"

#include <juce_core/juce_core.h>

/** Where the privileged helper lives, relative to the running program, and whom
    the trust rule takes it from. */
namespace HelperLocation
{
    constexpr const char* helperName = ProductInfo::helperName;

    /** On Linux <program's folder>/../libexec/<helper>, both in the installed layout
        and in the build folder; on a Mac <bundle>/Contents/Helpers/<helper>. Found
        from the executable the system started, whatever argv[0] claims. */
    juce::File find();

    /** On Linux, root alone; on a Mac, root or the owner of the bundle. */
    HelperTrust::Rule getTrustRule();
}
