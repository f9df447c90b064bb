#include "CloneChecks.h"

#include "SpecConsts.h"
#include "framework/host/HostQueries.h"
#include "imaging/host/OutputLocation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

bool HasImageExtension(const QString& dstFile) {
    const QString name = QFileInfo(dstFile).fileName();
    const qsizetype dot = name.lastIndexOf('.');
    const QString ext = dot < 0 ? QString() : name.mid(dot);
    for (const QString& accepted : QString(kImageExtensions).split(';', Qt::SkipEmptyParts)) {
        if (accepted.trimmed().compare(ext, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool IsOutputOnSource(const QString& srcDevice, const QString& dstFile) {
    const QString output = QFileInfo(dstFile).absoluteFilePath();
    switch (host::DevicePathKind(srcDevice)) {
    case host::PathKind::WholeDisk:
        return host::FileLiesOnDisk(output, srcDevice);
    case host::PathKind::Volume:
        return host::FileLiesOnVolume(output, srcDevice);
    default:
        return false;
    }
}

QString OutputRefusal(const QString& dstFile) {
    if (host::DevicePathKind(dstFile) == host::PathKind::File)
        return {};
    return QCoreApplication::translate("TMainForm", kOutputIsDevice)
        .arg(host::FileNamePart(dstFile));
}
