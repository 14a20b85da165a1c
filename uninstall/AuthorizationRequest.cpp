#include "uninstall/AuthorizationRequest.h"

#include <condition_variable>
#include <thread>

/** One question to the system, shared by the asker's thread and the prompt's. */
struct AuthorizationRequest::Question
{
    std::mutex lock;
    std::condition_variable settled;
    AuthorizationServices* services = nullptr;   // set while the prompt may be open: the CAuth being made owns it
    std::unique_ptr<CAuth> answer;
    bool answered = false;
    bool abandoned = false;

    void prompt (std::unique_ptr<AuthorizationServices> servicesToAsk)
    {
        auto auth = std::make_unique<CAuth> (std::move (servicesToAsk));

        const std::scoped_lock guard (lock);
        services = nullptr;
        answered = true;
        settled.notify_all();

        // Nobody waits for rights that came too late: they go back at once, below.
        if (! abandoned)
            answer = std::move (auth);
    }
};

std::unique_ptr<CAuth> AuthorizationRequest::ask (std::unique_ptr<AuthorizationServices> services)
{
    auto question = std::make_shared<Question>();
    question->services = services.get();

    {
        const std::scoped_lock guard (lock);

        if (withdrawn)
            return nullptr;

        open = question;
    }

    std::thread ([question, services = std::move (services)] () mutable
    {
        question->prompt (std::move (services));
    }).detach();

    std::unique_ptr<CAuth> answer;

    {
        std::unique_lock guard (question->lock);
        question->settled.wait (guard, [&] { return question->answered || question->abandoned; });
        answer = std::move (question->answer);
    }

    const std::scoped_lock guard (lock);
    open = nullptr;
    return answer;
}

void AuthorizationRequest::withdraw()
{
    const std::scoped_lock guard (lock);
    withdrawn = true;

    if (open == nullptr)
        return;

    const std::scoped_lock questionGuard (open->lock);
    open->abandoned = true;
    open->settled.notify_all();

    if (open->services != nullptr)
        open->services->withdrawPrompt();
}
