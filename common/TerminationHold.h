#pragma once

/** Holds off SIGINT, SIGTERM, SIGHUP and SIGQUIT while a removal runs, in the helper and
    in the command line alike: a signal then only takes note, so that the rm in
    progress finishes, no further bundle is removed, and the record and the report
    are written. Holds nest; when the outermost ends and a signal came, the process
    ends by that signal, so that whoever sent it sees it, and the lock goes with it.
    A signal that the process was started ignoring stays ignored. */
class TerminationHold
{
public:
    TerminationHold();
    ~TerminationHold();

    /** The signal that came while held, or 0; from any thread. */
    static int received() noexcept;

private:
    TerminationHold (const TerminationHold&) = delete;
    TerminationHold& operator= (const TerminationHold&) = delete;
};
