/* <sys/ucred.h>: included before <sys/mount.h>, as getmntinfo(3) asks; nothing of
   it is used here. */
#pragma once

#include <sys/types.h>
