#include "JobChecks.h"

#include "Verifier.h"
#include "host/DeviceHandle.h"
#include "host/HostQueries.h"
#include "vorlik/Vorlik.h"

#include <QFileInfo>
#include <QJsonObject>

ExitStatus JobStatus(const JobReport& job) {
    if (job.outcome.stopRequested)
        return ExitStatus::Stopped;
    return job.outcome.Succeeded() ? ExitStatus::Success : ExitStatus::Failure;
}

void RecordJob(CommandResult& result, const JobReport& job) {
    result.Set("bytesWritten", static_cast<qint64>(job.outcome.totalBytes));
    result.Set("expectedBytes", static_cast<qint64>(job.outcome.expectedBytes));
    result.Set("unreadableSectors", static_cast<qint64>(job.badSectors));
}

ExitStatus CompareAndReport(Console& console, CommandResult& result, const QString& a,
                            const QString& b, uint64_t sizeOfA) {
    const VerifyResult check = CompareAndHash(console, a, b, sizeOfA);
    QJsonObject verify{{"bytes", static_cast<qint64>(check.bytes)}};
    ExitStatus status = ExitStatus::Failure;
    switch (check.verdict) {
    case VerifyResult::Verdict::Identical:
        verify.insert("status", "identical");
        verify.insert("sha256", check.sha256);
        console.Say(QStringLiteral("SHA-256 of '%1': %2").arg(a, check.sha256));
        console.Say(
            QStringLiteral("'%1' holds the same %2 bytes as '%3'.").arg(b).arg(check.bytes).arg(a));
        status = ExitStatus::Success;
        break;
    case VerifyResult::Verdict::Different:
        verify.insert("status", "different");
        verify.insert("firstDifference", static_cast<qint64>(check.firstDifference));
        console.Error(check.problem);
        break;
    case VerifyResult::Verdict::Failed:
        verify.insert("status", "failed");
        console.Error(check.problem);
        break;
    case VerifyResult::Verdict::Stopped:
        verify.insert("status", "stopped");
        console.Error(QStringLiteral("Verification stopped."));
        status = ExitStatus::Stopped;
        break;
    }
    result.Set("verify", verify);
    return status;
}

ExitStatus VerifyAfterJob(Console& console, CommandResult& result, const JobReport& job,
                          const QString& a, const QString& b, uint64_t sizeOfA) {
    if (job.badSectors > 0) {
        const QString reason =
            QStringLiteral("Verification skipped: %1 unreadable sector(s) were filled with the "
                           "replacement byte, so the copy differs from the source there by "
                           "design, and reading failing media again can take hours.")
                .arg(job.badSectors);
        console.Say(reason);
        result.Set("verify", QJsonObject{{"status", "skipped"}, {"reason", reason}});
        return ExitStatus::Success;
    }
    return CompareAndReport(console, result, a, b, sizeOfA);
}

uint64_t MeasuredSize(const QString& path) {
    if (host::DevicePathKind(path) == host::PathKind::File) {
        const QFileInfo info(path);
        return info.isFile() ? static_cast<uint64_t>(info.size()) : 0;
    }
    const host::DeviceHandle device(path);
    uint64_t size = 0;
    if (!device.IsOpen() || EngineGetDiskSize(device.Handle(), &size) == 0)
        return 0;
    return size;
}
