// What one engine job reported, and whether its run counts as a success.
// The engine returns 1 whenever it wrote anything, so its result alone
// cannot tell a finished copy from one that broke off half way. Every
// caller of the engine (the windows' runs, the command line) judges a run
// here, so that all of them call the same runs failures.
#pragma once

#include <cstdint>

struct JobOutcome {
    int32_t engineResult = 0;     // what the engine returned
    bool failureReported = false; // a failure text arrived during the job
    uint64_t totalBytes = 0;      // bytes written, as reported at the end
    uint64_t expectedBytes = 0;   // the source size the log header shows; 0 when unknown
    bool stopRequested = false;   // the user asked the job to stop

    // Forgets the previous job; `expected` is the source size, 0 when unknown.
    void Begin(uint64_t expected);
    // Takes note of one engine message while its parameter is valid; codes
    // that do not bear on the verdict are ignored.
    void Note(uintptr_t msg, uintptr_t param);
    // A failure text, or fewer bytes written than the source holds without a
    // stop, is a failure whatever the engine returned. Unreadable sectors
    // are filled and counted, so they do not shorten the total.
    bool Succeeded() const;
};
