/* <AvailabilityMacros.h>: the version numbers, the deployment target from the
   compiler's -target, and the SDK of Xcode 16, the oldest that builds the
   program, as the newest allowed. The Mac's own header brings <Availability.h>,
   whose double-underscore names the framework reads; they are defined here too. */
#pragma once

#define MAC_OS_X_VERSION_10_9   1090
#define MAC_OS_X_VERSION_10_10  101000
#define MAC_OS_X_VERSION_10_11  101100
#define MAC_OS_X_VERSION_10_12  101200
#define MAC_OS_X_VERSION_10_13  101300
#define MAC_OS_X_VERSION_10_14  101400
#define MAC_OS_X_VERSION_10_15  101500
#define MAC_OS_X_VERSION_11_0   110000
#define MAC_OS_VERSION_11_0     110000
#define MAC_OS_VERSION_12_0     120000
#define MAC_OS_VERSION_13_0     130000
#define MAC_OS_VERSION_14_0     140000
#define MAC_OS_VERSION_15_0     150000

#ifndef MAC_OS_X_VERSION_MIN_REQUIRED
 #define MAC_OS_X_VERSION_MIN_REQUIRED __ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__
#endif

#ifndef MAC_OS_X_VERSION_MAX_ALLOWED
 #define MAC_OS_X_VERSION_MAX_ALLOWED MAC_OS_VERSION_15_0
#endif

#ifndef __MAC_OS_X_VERSION_MIN_REQUIRED
 #define __MAC_OS_X_VERSION_MIN_REQUIRED MAC_OS_X_VERSION_MIN_REQUIRED
#endif

#ifndef __MAC_OS_X_VERSION_MAX_ALLOWED
 #define __MAC_OS_X_VERSION_MAX_ALLOWED MAC_OS_X_VERSION_MAX_ALLOWED
#endif
