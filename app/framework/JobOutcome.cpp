#include "JobOutcome.h"

#include "vorlik/Vorlik.h"

void JobOutcome::Begin(uint64_t expected) {
    *this = JobOutcome{};
    expectedBytes = expected;
}

void JobOutcome::Note(uintptr_t msg, uintptr_t param) {
    switch (msg) {
    case JOBMSG_LOG_TEXT:
        failureReported = true;
        break;
    case JOBMSG_TOTAL_BYTES:
        if (param != 0)
            totalBytes = *reinterpret_cast<const uint64_t*>(param);
        break;
    default:
        break;
    }
}

bool JobOutcome::Succeeded() const {
    if (engineResult == 0 || failureReported)
        return false;
    if (stopRequested || expectedBytes == 0)
        return true;
    return totalBytes >= expectedBytes;
}
