#pragma once

#include "uninstall/CAuth.h"

#include <memory>
#include <mutex>

/** Asks for administrator rights for the calling thread, while another thread may
    withdraw the question: MainLayoutComponent asks on the thread of its run(), and withdraws
    when it is destroyed with the prompt still open.

    The system's prompt is answered on a thread of its own, which needs nothing of
    this object: a prompt that cannot be closed (a Mac's) may be left open by a
    withdrawal, and its answer, whenever it comes, only gives the rights back. */
class AuthorizationRequest
{
public:
    AuthorizationRequest() = default;

    /** Blocks until the user has answered. Null if the request was withdrawn first. */
    std::unique_ptr<CAuth> ask (std::unique_ptr<AuthorizationServices> services);

    /** From any thread: closes an open prompt where the system can, makes the ask
        that waits for it return null at once, and every later ask too. */
    void withdraw();

private:
    struct Question;

    std::mutex lock;
    std::shared_ptr<Question> open;
    bool withdrawn = false;

    AuthorizationRequest (const AuthorizationRequest&) = delete;
    AuthorizationRequest& operator= (const AuthorizationRequest&) = delete;
};
