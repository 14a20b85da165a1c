#pragma once

#include "platform/AuthorizationServices.h"

#include <memory>
#include <string>

/** One administrator authorization: obtained from the user once, when the object
    is made; used to run tools while it lives; given back when it is destroyed. */
// The name, with its C, is kept on purpose.
class CAuth
{
public:
    using Status = AuthorizationServices::Status;

    /** Asks the user through the system's own prompt; blocks until answered. */
    CAuth();
    explicit CAuth (std::unique_ptr<AuthorizationServices> services);
    virtual ~CAuth();

    bool isAuthorized() const noexcept  { return authorized; }

    /** Why the user could not even be asked, where the system can tell. */
    AuthorizationServices::PromptObstacle findPromptObstacle() const  { return services->findPromptObstacle(); }

    /** Runs the tool with administrator rights and returns once it has ended. The
        status says whether it could be launched, not how the tool itself fared. */
    Status execute (const char* toolPath, char* const* arguments);

    /** Why the tool that the last execute ran left its work undone, in the words of
        the side that ran it; empty where that side said nothing. */
    std::string describeLastLaunch() const;

    /** What is at the path, seen with these rights where the system lets us look
        with them, and with the user's own otherwise. */
    PathState inspect (const char* path);

    static constexpr Status notAuthorized = -60002;

private:
    std::unique_ptr<AuthorizationServices> services;
    AuthorizationServices::Handle authorizationRef = nullptr;
    bool authorized = false;

    CAuth (const CAuth&) = delete;
    CAuth& operator= (const CAuth&) = delete;
};
