/* <Security/Authorization.h>: the types, constants and calls of Authorization
   Services that a client uses, as Apple documents them. */
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t  OSStatus;
typedef uint32_t UInt32;

enum
{
    errAuthorizationSuccess                = 0,
    errAuthorizationInvalidSet             = -60001,
    errAuthorizationInvalidRef             = -60002,
    errAuthorizationInvalidTag             = -60003,
    errAuthorizationInvalidPointer         = -60004,
    errAuthorizationDenied                 = -60005,
    errAuthorizationCanceled               = -60006,
    errAuthorizationInteractionNotAllowed  = -60007,
    errAuthorizationInternal               = -60008,
    errAuthorizationExternalizeNotAllowed  = -60009,
    errAuthorizationInternalizeNotAllowed  = -60010,
    errAuthorizationInvalidFlags           = -60011,
    errAuthorizationToolExecuteFailure     = -60031,
    errAuthorizationToolEnvironmentError   = -60032,
    errAuthorizationBadAddress             = -60033
};

typedef UInt32 AuthorizationFlags;

enum
{
    kAuthorizationFlagDefaults            = 0,
    kAuthorizationFlagInteractionAllowed  = 1u << 0,
    kAuthorizationFlagExtendRights        = 1u << 1,
    kAuthorizationFlagPartialRights       = 1u << 2,
    kAuthorizationFlagDestroyRights       = 1u << 3,
    kAuthorizationFlagPreAuthorize        = 1u << 4,
    kAuthorizationFlagNoData              = 1u << 20
};

typedef const struct AuthorizationOpaqueRef* AuthorizationRef;
typedef const char* AuthorizationString;

typedef struct
{
    AuthorizationString name;
    size_t valueLength;
    void* value;
    UInt32 flags;
} AuthorizationItem;

typedef struct
{
    UInt32 count;
    AuthorizationItem* items;
} AuthorizationItemSet;

typedef AuthorizationItemSet AuthorizationRights;
typedef AuthorizationItemSet AuthorizationEnvironment;

#define kAuthorizationEmptyEnvironment NULL

OSStatus AuthorizationCreate (const AuthorizationRights* rights, const AuthorizationEnvironment* environment,
                              AuthorizationFlags flags, AuthorizationRef* authorization);

OSStatus AuthorizationFree (AuthorizationRef authorization, AuthorizationFlags flags);

OSStatus AuthorizationCopyRights (AuthorizationRef authorization, const AuthorizationRights* rights,
                                  const AuthorizationEnvironment* environment, AuthorizationFlags flags,
                                  AuthorizationRights** authorizedRights);

/* Deprecated since macOS 10.7, and marked so, as on a Mac; GCC, which builds the
   Linux tests against this header, knows deprecation only. */
#if defined (__clang__)
 #define STAND_IN_DEPRECATED_SINCE_10_7 __attribute__ ((availability (macos, introduced = 10.1, deprecated = 10.7)))
#else
 #define STAND_IN_DEPRECATED_SINCE_10_7 __attribute__ ((deprecated))
#endif

OSStatus AuthorizationExecuteWithPrivileges (AuthorizationRef authorization, const char* pathToTool,
                                             AuthorizationFlags options, char* const* arguments,
                                             FILE** communicationsPipe)
    STAND_IN_DEPRECATED_SINCE_10_7;

#ifdef __cplusplus
}
#endif
