#include "app/CommandLine.h"
#include "app/QMV_HubApplication.h"
#include "platform/UserLanguage.h"

namespace
{
    // The product removes the driver's own bundles, with the system's own prompt,
    // or with root's own rights, in the user's language, asked as the window starts.
    juce::JUCEApplicationBase* createApplication()
    {
        return new QMV_HubApplication (UninstallSetup::forProduct(), UserLanguage::getCode());
    }
}

// The framework's runner starts only for the window: the command line needs no display.
int main (int argc, char* argv[])
{
    return CommandLine::main (argc, argv, UninstallSetup::forProduct(), &createApplication);
}
