#include "OutputQuestions.h"

#include "PellinConsts.h"
#include "host/HostQueries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace pellin_text;

namespace {

QString Text(const char* text) {
    return QCoreApplication::translate("TPellinMainForm", text);
}

} // namespace

QString OutputFolder(const QString& output) {
    return QFileInfo(QFileInfo(output).absoluteFilePath()).absolutePath();
}

bool PrepareOutputFolder(const QString& output, const OutputQuestions& questions) {
    const QString folder = OutputFolder(output);
    // Anything but a folder standing there is no folder to write into.
    if (QFileInfo(folder).isDir())
        return true;
    if (!questions.ask(Text(kWarningMissingPath).arg(folder, host::FileNamePart(output))))
        return false;
    if (QDir().mkpath(folder))
        return true;
    questions.error(Text(kCannotCreateDir).arg(folder));
    return false;
}

bool AskOutputQuestions(const QString& output, bool validExtension,
                        const OutputQuestions& questions) {
    const QString name = host::FileNamePart(output);
    if (!validExtension && !questions.ask(Text(kWarningExtension).arg(name)))
        return false;
    if (!PrepareOutputFolder(output, questions))
        return false;
    return !questions.exists(output) || questions.ask(Text(kWarningFileExists).arg(name));
}
