// restore IMAGE TARGET: the window's Restore run from a terminal: the same
// input checks, Warning 6 always, and the same engine job.
#include "Commands.h"

#include "CommandResult.h"
#include "DriveChoice.h"
#include "JobChecks.h"
#include "RestoreChecks.h"
#include "SizeText.h"
#include "SpecConsts.h"
#include "SpecUtils.h"
#include "StopSignals.h"
#include "host/DeviceDetails.h"

#include <QFileInfo>

namespace {

// A mounted volume on the target would be written under its file system's
// feet; the engine's lock would refuse it anyway, without a word.
QString InUse(const QString& target, const host::DeviceDetails& details) {
    const host::MountedVolume& mount = details.mounts.first();
    return QStringLiteral("'%1' is in use: %2 is mounted on %3. Unmount it before restoring "
                          "onto it.")
        .arg(target, mount.device, mount.mountPoint);
}

ExitStatus ReportRestore(Console& console, const JobReport& job, const QString& image,
                         const QString& target) {
    const ExitStatus status = JobStatus(job);
    const QString badSectors =
        QStringLiteral("%1 bad source sectors encountered.").arg(job.badSectors);
    if (status == ExitStatus::Success) {
        console.Say(QString(kRestoreSuccess)
                        .arg(FormatSize(static_cast<int64_t>(job.outcome.totalBytes)), image));
        console.Say(badSectors);
        return status;
    }
    if (status == ExitStatus::Stopped) {
        console.Error(kUserAbortsRestore);
    } else {
        console.Error(QString(kFailToRestore).arg(target));
        // The engine refuses a target it cannot lock without a text of its own.
        if (job.outcome.totalBytes == 0 && !job.outcome.failureReported &&
            job.outcome.expectedBytes > 0)
            console.Error(QStringLiteral("'%1' could not be locked for writing: it, or a volume "
                                         "on it, is mounted or held by another program.")
                              .arg(target));
    }
    console.Error(badSectors);
    return status;
}

} // namespace

ExitStatus RunRestore(Console& console, const CliRequest& request) {
    CommandResult result(console, QStringLiteral("restore"));
    const QString& image = request.operands[0];
    const QString& targetText = request.operands[1];
    result.Set("source", QFileInfo(image).absoluteFilePath());
    if (const QString refusal = RestoreInputRefusal(image, targetText); !refusal.isEmpty())
        return result.Fail(refusal);
    TDriveList list;
    EnumDrivesAndDisks(list);
    const auto target = ChooseDrive(list, targetText);
    if (!target)
        return result.Fail(QStringLiteral("'%1' is no drive or disk that Tolvane lists; "
                                          "'tolvane-cli list' shows them.")
                               .arg(targetText));
    result.Set("destination", target->displayName);
    result.Set("destinationDevice", target->device);
    if (const host::DeviceDetails details = host::DescribeDevice(target->device);
        !details.mounts.isEmpty())
        return result.Fail(InUse(target->displayName, details));
    if (!console.Ask(RestoreOverwriteQuestion())) {
        console.Error(QStringLiteral("Abort restoring onto '%1': nothing was written.")
                          .arg(target->displayName));
        return result.End(ExitStatus::Refused);
    }

    const uint64_t expected = static_cast<uint64_t>(GetSrcSize(list, image));
    stop_signals::Install();
    const JobReport job = RunEngineJob(console, QStringLiteral("restore"), image, target->device,
                                       request.replaceByte, expected);
    RecordJob(result, job);
    const ExitStatus status = ReportRestore(console, job, image, target->displayName);
    if (status != ExitStatus::Success || !request.verify)
        return result.End(status);
    return result.End(VerifyAfterJob(console, result, job, image, target->device, expected));
}
