#include "app/QMV_HubApplication.h"
#include "uninstall/UninstallSetup.h"

// The product removes the driver's own bundles, with the system's own prompt.
UninstallSetup UninstallSetup::forThisProgram()
{
    return forProduct();
}

START_JUCE_APPLICATION (QMV_HubApplication)
