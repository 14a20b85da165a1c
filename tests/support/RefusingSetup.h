#pragma once

#include "uninstall/UninstallSetup.h"

/** For a page host or an application that a test builds only to look at: it
    removes nothing and asks nobody, since its prompt is refused at once. */
UninstallSetup refusingSetup();
