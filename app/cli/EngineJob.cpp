#include "EngineJob.h"

#include "CallEngineJob.h"
#include "Progress.h"
#include "StopSignals.h"
#include "vorlik/Vorlik.h"

namespace {

struct JobState {
    Console& console;
    Progress progress;
    JobReport report;
    int percent = 0;
    bool ended = false; // the end-of-job figures have arrived
};

uint64_t Count(uintptr_t param) {
    return *reinterpret_cast<const uint64_t*>(param);
}

// At the end figures, before the engine has returned: it returns 1 exactly
// when it wrote something.
bool LooksComplete(JobOutcome outcome) {
    outcome.engineResult = outcome.totalBytes > 0 ? 1 : 0;
    outcome.stopRequested = stop_signals::Requested();
    return !outcome.stopRequested && outcome.Succeeded();
}

int32_t VORLIK_CALL OnEngineMessage(uintptr_t msg, uintptr_t param, uintptr_t context) {
    JobState& job = *reinterpret_cast<JobState*>(context);
    job.report.outcome.Note(msg, param);
    switch (msg) {
    case JOBMSG_QUERY_ABORT:
        return stop_signals::Requested() ? 1 : 0;
    case JOBMSG_PROGRESS:
        // Within the copy the byte count follows at once and is shown with
        // it; the opening 0 stands alone, and the closing 100 comes after
        // the end figures and is shown only for a job that got there.
        job.percent = *reinterpret_cast<const uint8_t*>(param);
        if (!job.ended && job.percent == 0)
            job.progress.Update(0, 0);
        else if (job.ended && LooksComplete(job.report.outcome))
            job.progress.Update(job.percent, job.report.outcome.totalBytes);
        break;
    case JOBMSG_BYTES_DONE:
        job.progress.Update(job.percent, Count(param));
        break;
    case JOBMSG_LOG_TEXT:
        job.progress.Finish();
        // Multi-line texts come with CR LF; a terminal wants LF.
        job.console.Error(
            QString::fromUtf16(reinterpret_cast<const char16_t*>(param)).remove(u'\r'));
        break;
    case JOBMSG_TOTAL_BYTES:
        job.ended = true;
        break;
    case JOBMSG_BAD_SECTORS:
        job.report.badSectors = Count(param);
        break;
    default: // the source text; the message-box copy of a text already shown
        break;
    }
    return 0;
}

} // namespace

JobReport RunEngineJob(Console& console, const QString& phase, const QString& source,
                       const QString& destination, uint8_t replaceByte, uint64_t expectedBytes) {
    JobState job{console, Progress(console, phase, expectedBytes), {}};
    job.report.outcome.Begin(expectedBytes);
    const TOptionsStruct options{replaceByte};
    const std::u16string src = source.toStdU16String();
    const std::u16string dst = destination.toStdU16String();
    const int32_t result = CallEngineJob(src.c_str(), &options, dst.c_str(), &OnEngineMessage,
                                         reinterpret_cast<uintptr_t>(&job));
    job.progress.Finish();
    job.report.outcome.engineResult = result;
    job.report.outcome.stopRequested = stop_signals::Requested();
    return job.report;
}
