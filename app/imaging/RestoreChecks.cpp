#include "RestoreChecks.h"

#include "SpecConsts.h"
#include "framework/host/HostQueries.h"

#include <QFileInfo>
#include <QObject>

bool ImageFileExists(const QString& imageFile) {
    return QFileInfo(imageFile).isFile();
}

QString RestoreInputRefusal(const QString& imageFile, const QString& target) {
    if (imageFile.trimmed().isEmpty())
        return QObject::tr(kSelectSourceImage);
    if (!ImageFileExists(imageFile))
        return QObject::tr(kImageFileMissing).arg(host::FileNamePart(imageFile));
    if (target.trimmed().isEmpty())
        return QObject::tr(kSelectTarget);
    return {};
}

QString RestoreOverwriteQuestion() {
    return QObject::tr(kWarningOverwrite);
}
