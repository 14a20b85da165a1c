#include "support/FakeAuthorizationServices.h"
#include "uninstall/UninstallSetup.h"

// A page host that a test builds without a setup of its own removes nothing and
// asks nobody: its prompt is refused at once.
UninstallSetup UninstallSetup::forThisProgram()
{
    return { {}, [] () -> std::unique_ptr<AuthorizationServices> {
        FakeAuthorizationServices::Answers refuse;
        refuse.grant = false;
        return std::make_unique<FakeAuthorizationServices> (std::make_shared<FakeAuthorizationServices::Log>(),
                                                            refuse);
    } };
}
