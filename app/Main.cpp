#include "app/CommandLine.h"
#include "app/QMV_HubApplication.h"

namespace
{
    // The product removes the driver's own bundles, with the system's own prompt,
    // or with root's own rights.
    juce::JUCEApplicationBase* createApplication()
    {
        return new QMV_HubApplication (UninstallSetup::forProduct());
    }
}

// The framework's runner starts only for the window: the command line needs no display.
int main (int argc, char* argv[])
{
    return CommandLine::main (argc, argv, UninstallSetup::forProduct(), &createApplication);
}
