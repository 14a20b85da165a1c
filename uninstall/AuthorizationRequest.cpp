#include "uninstall/AuthorizationRequest.h"

std::unique_ptr<CAuth> AuthorizationRequest::ask (std::unique_ptr<AuthorizationServices> services)
{
    {
        const std::scoped_lock guard (lock);

        if (withdrawn)
            return nullptr;

        asking = services.get();
    }

    auto auth = std::make_unique<CAuth> (std::move (services));

    const std::scoped_lock guard (lock);
    asking = nullptr;
    return auth;
}

void AuthorizationRequest::withdraw()
{
    const std::scoped_lock guard (lock);
    withdrawn = true;

    if (asking != nullptr)
        asking->withdrawPrompt();
}
