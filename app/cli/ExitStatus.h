// How tolvane-cli ends, for the shell and for scripts. The numbers are
// documented in --help and the README; never renumber them.
#pragma once

enum class ExitStatus : int {
    Success = 0,  // the job (and its check) completed
    Failure = 1,  // the job failed, a check found a difference, or an input was refused
    BadUsage = 2, // the command line was wrong; nothing was done
    Refused = 3,  // a question was answered No (or could not be asked); nothing was written
    Stopped = 4,  // SIGINT or SIGTERM stopped the job; the target was released
};

inline int ToInt(ExitStatus status) {
    return static_cast<int>(status);
}

// The word scripts read in --json results.
inline const char* StatusWord(ExitStatus status) {
    switch (status) {
    case ExitStatus::Success:
        return "success";
    case ExitStatus::Failure:
        return "failure";
    case ExitStatus::BadUsage:
        return "usage";
    case ExitStatus::Refused:
        return "refused";
    case ExitStatus::Stopped:
        return "stopped";
    }
    return "failure";
}
