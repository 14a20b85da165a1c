/* <Security/AuthorizationTags.h>: the names of the rights and environment items
   that a client passes, as Apple documents them. */
#pragma once

#define kAuthorizationEnvironmentUsername "username"
#define kAuthorizationEnvironmentPassword "password"
#define kAuthorizationEnvironmentShared   "shared"
#define kAuthorizationRightExecute        "system.privilege.admin"
#define kAuthorizationEnvironmentPrompt   "prompt"
#define kAuthorizationEnvironmentIcon     "icon"
