#pragma once

/** Whether windows can be shown: a desktop session to put them on. */
namespace GraphicalSession
{
    /** On Linux, a DISPLAY is named and the framework found a screen on it (it
        would otherwise try ":0", which may be someone else's). Elsewhere, the
        framework found a screen. Connects to the display when it has not yet. */
    bool isAvailable();
}
