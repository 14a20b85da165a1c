#include "app/QMV_HubApplication.h"

START_JUCE_APPLICATION (QMV_HubApplication)
