/* What a macOS build sees in <TargetConditionals.h>: the Mac, not iOS or a
   simulator, on the processor that the compiler targets. */
#pragma once

#define TARGET_OS_MAC            1
#define TARGET_OS_OSX            1
#define TARGET_OS_IPHONE         0
#define TARGET_OS_IOS            0
#define TARGET_OS_MACCATALYST    0
#define TARGET_OS_TV             0
#define TARGET_OS_WATCH          0
#define TARGET_OS_SIMULATOR      0
#define TARGET_IPHONE_SIMULATOR  0
#define TARGET_OS_EMBEDDED       0
#define TARGET_RT_64_BIT         1
#define TARGET_RT_LITTLE_ENDIAN  1
#define TARGET_RT_BIG_ENDIAN     0
#define TARGET_RT_MAC_MACHO      1

#if defined (__arm64__) || defined (__aarch64__)
 #define TARGET_CPU_ARM64   1
 #define TARGET_CPU_X86_64  0
#else
 #define TARGET_CPU_ARM64   0
 #define TARGET_CPU_X86_64  1
#endif

#define TARGET_CPU_ARM  0
#define TARGET_CPU_X86  0
