#include "support/RefusingSetup.h"

#include "support/FakeAuthorizationServices.h"

UninstallSetup refusingSetup()
{
    return { {}, [] () -> std::unique_ptr<AuthorizationServices> {
        FakeAuthorizationServices::Answers refuse;
        refuse.grant = false;
        return std::make_unique<FakeAuthorizationServices> (std::make_shared<FakeAuthorizationServices::Log>(),
                                                            refuse);
    } };
}
