#include "platform/HelperLocation.h"

juce::File HelperLocation::find()
{
    // The kernel's link names the real executable, whatever argv[0] claims.
    const auto program = juce::File ("/proc/self/exe").getLinkedTarget();

    return program.getParentDirectory().getSiblingFile ("libexec").getChildFile (helperName);
}

HelperTrust::Rule HelperLocation::getTrustRule()
{
    return {};
}
