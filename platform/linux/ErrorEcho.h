#pragma once

#include <memory>
#include <string>

/** Passes what a child writes on its standard error on to ours as it comes, and
    keeps the last of it: pkexec tells there why it did not start its command, and
    the helper it becomes tells there why it waits. */
class ErrorEcho
{
public:
    ErrorEcho();
    ~ErrorEcho();

    /** The end to give the child as its standard error; -1 if no pipe could be made,
        and the child then writes to ours, and nothing is kept. */
    int getChildEnd() const noexcept  { return childEnd; }

    /** Once the child has been started: our copy of its end is closed, so that the
        echo ends when the child's does, and the echo begins. */
    void start();

    /** What came, once the child's end has closed (give the child time to end
        first); what came so far if that takes longer than timeoutMs. */
    std::string waitForText (int timeoutMs);

private:
    struct Shared;

    std::shared_ptr<Shared> shared;
    int childEnd = -1;

    ErrorEcho (const ErrorEcho&) = delete;
    ErrorEcho& operator= (const ErrorEcho&) = delete;
};
