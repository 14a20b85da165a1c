#include "app/CommandLine.h"
#include "app/QMV_HubApplication.h"
#include "uninstall/UninstallSetup.h"

// The product removes the driver's own bundles, with the system's own prompt.
UninstallSetup UninstallSetup::forThisProgram()
{
    return forProduct();
}

// The framework's runner starts only for the window: the command line needs no display.
JUCE_CREATE_APPLICATION_DEFINE (QMV_HubApplication)

int main (int argc, char* argv[])
{
    return CommandLine::main (argc, argv, &juce_CreateApplication);
}
