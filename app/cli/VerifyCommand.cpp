// verify A B: two images, disks, or an image and a disk, compared over A's
// length, with the SHA-256 of A.
#include "Commands.h"

#include "CommandResult.h"
#include "DriveChoice.h"
#include "JobChecks.h"
#include "SpecUtils.h"
#include "StopSignals.h"

#include <QFileInfo>

namespace {

// A display name stands for its device; anything else is a path.
QString PathOf(const TDriveList& list, const QString& text) {
    const auto drive = ChooseDrive(list, text);
    return drive && drive->displayName == text ? drive->device : text;
}

} // namespace

ExitStatus RunVerify(Console& console, const CliRequest& request) {
    CommandResult result(console, QStringLiteral("verify"));
    TDriveList list;
    EnumDrivesAndDisks(list);
    const QString a = PathOf(list, request.operands[0]);
    const QString b = PathOf(list, request.operands[1]);
    result.Set("a", a);
    result.Set("b", b);
    for (const QString& path : {a, b}) {
        if (!QFileInfo::exists(path))
            return result.Fail(QStringLiteral("'%1' does not exist.").arg(path));
        if (QFileInfo(path).isDir())
            return result.Fail(QStringLiteral("'%1' is a folder.").arg(path));
    }
    stop_signals::Install();
    return result.End(CompareAndReport(console, result, a, b, MeasuredSize(a)));
}
