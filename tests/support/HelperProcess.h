#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

/** A helper started on pipes of the test's own, for what only raw bytes or the
    process itself can show: the program's connection speaks whole frames only. */
struct HelperProcess
{
    explicit HelperProcess (const std::vector<std::string>& command);

    /** Closes both pipes and reaps the helper, unless pid was taken (-1). */
    ~HelperProcess();

    void closeRequestPipe();

    pid_t pid = -1;
    int requestPipe = -1;
    int replyPipe = -1;
};
