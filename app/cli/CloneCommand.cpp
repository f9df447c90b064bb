// clone SOURCE IMAGE: the window's Clone run from a terminal, with the same
// checks and questions before it and the same engine job.
#include "Commands.h"

#include "CloneChecks.h"
#include "CommandResult.h"
#include "DriveChoice.h"
#include "JobChecks.h"
#include "LogText.h"
#include "OutputQuestions.h"
#include "PellinConsts.h"
#include "SizeText.h"
#include "SpecConsts.h"
#include "SpecUtils.h"
#include "StopSignals.h"
#include "host/HostQueries.h"

#include <QFileInfo>

namespace {

QString NotListed(const QString& text) {
    return QStringLiteral("'%1' is no drive or disk that Tolvane lists; 'tolvane-cli list' "
                          "shows them.")
        .arg(text);
}

// The window's result texts, markup turned into plain lines.
QString PlainText(const QString& text) {
    return StripHtmlTags(text).remove(u'\r');
}

ExitStatus ReportClone(Console& console, const JobReport& job, const QString& sourceName) {
    const ExitStatus status = JobStatus(job);
    const QString badSectors = QString::number(job.badSectors);
    if (status == ExitStatus::Success) {
        console.Say(PlainText(QString(kCloneSuccess)
                                  .arg(FormatSize(static_cast<int64_t>(job.outcome.totalBytes)),
                                       sourceName, badSectors)));
        return status;
    }
    console.Error(status == ExitStatus::Stopped
                      ? QString(pellin_text::kUserAborts)
                      : QString(pellin_text::kFailToClone).arg(sourceName));
    console.Error(QStringLiteral("%1 bad source sectors encountered.").arg(badSectors));
    return status;
}

} // namespace

ExitStatus RunClone(Console& console, const CliRequest& request) {
    CommandResult result(console, QStringLiteral("clone"));
    const QString& sourceText = request.operands[0];
    const QString output = QFileInfo(request.operands[1]).absoluteFilePath();
    result.Set("destination", output);
    TDriveList list;
    EnumDrivesAndDisks(list);
    const auto source = ChooseDrive(list, sourceText);
    if (!source)
        return result.Fail(NotListed(sourceText));
    result.Set("source", source->displayName);
    result.Set("sourceDevice", source->device);

    // Refusals come before any question: nothing is asked that cannot go on.
    if (const QString refusal = OutputRefusal(output); !refusal.isEmpty())
        return result.Fail(refusal);
    if (IsOutputOnSource(source->device, output))
        return result.Fail(QString(kOutputOnSource).arg(host::FileNamePart(output)));
    bool folderFailed = false;
    const OutputQuestions questions{
        [&console](const QString& question) { return console.Ask(question); },
        [&](const QString& text) {
            console.Error(text);
            folderFailed = true;
        },
        [](const QString& path) { return QFileInfo(path).isFile(); }};
    if (!AskOutputQuestions(output, HasImageExtension(output), questions)) {
        if (folderFailed)
            return result.End(ExitStatus::Failure);
        console.Error(QString(pellin_text::kAbortCloning).arg(source->displayName));
        return result.End(ExitStatus::Refused);
    }

    const uint64_t expected = static_cast<uint64_t>(GetSrcSize(list, source->displayName));
    stop_signals::Install();
    const JobReport job = RunEngineJob(console, QStringLiteral("clone"), source->device, output,
                                       request.replaceByte, expected);
    RecordJob(result, job);
    const ExitStatus status = ReportClone(console, job, source->displayName);
    if (status != ExitStatus::Success || !request.verify)
        return result.End(status);
    return result.End(
        VerifyAfterJob(console, result, job, source->device, output, MeasuredSize(source->device)));
}
