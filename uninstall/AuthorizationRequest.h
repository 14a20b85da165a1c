#pragma once

#include "uninstall/CAuth.h"

#include <memory>
#include <mutex>

/** Asks for administrator rights on the calling thread, while another thread may
    withdraw the question: the page host asks on its job's thread, and withdraws
    when it is destroyed with the prompt still open. */
class AuthorizationRequest
{
public:
    AuthorizationRequest() = default;

    /** Blocks until the user has answered. Null if the request was withdrawn first. */
    std::unique_ptr<CAuth> ask (std::unique_ptr<AuthorizationServices> services);

    /** From any thread: closes an open prompt, and makes every later ask return null. */
    void withdraw();

private:
    std::mutex lock;
    AuthorizationServices* asking = nullptr;   // alive while set: the CAuth being made owns it
    bool withdrawn = false;

    AuthorizationRequest (const AuthorizationRequest&) = delete;
    AuthorizationRequest& operator= (const AuthorizationRequest&) = delete;
};
