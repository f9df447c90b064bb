// The process log view and the saving of the log.
#include "PellinMain.h"

#include "LogText.h"
#include "MessageService.h"
#include "PellinConsts.h"
#include "PellinInfo.h"
#include "logdlg.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>

using namespace pellin_text;

// A text with line breaks becomes one log line per line.
void TPellinMainForm::AppendLog(const QString& text) {
    static const QRegularExpression lineBreak("\r\n|\n|\r");
    for (const QString& line : text.split(lineBreak))
        txtRepairLog->appendPlainText(line);
    txtRepairLog->verticalScrollBar()->setValue(txtRepairLog->verticalScrollBar()->maximum());
}

QStringList TPellinMainForm::LogLines() const {
    const QString text = txtRepairLog->toPlainText();
    return text.isEmpty() ? QStringList() : text.split('\n');
}

void TPellinMainForm::btnSaveLogClick() {
    if (SaveLogDialog->exec() != QDialog::Accepted || SaveLogDialog->selectedFiles().isEmpty())
        return;
    SaveLogFile(SaveLogDialog->selectedFiles().constFirst(), SaveLogDialog->IncludeSysInfo());
}

// Lines end with CR LF, in the locale's encoding (UTF-8).
bool TPellinMainForm::SaveLogFile(const QString& fileName, bool includeSysInfo) {
    QStringList lines;
    if (includeSysInfo)
        GetLogWithSysInfo(lines);
    else
        lines = LogLines();
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Messages().Error(this, file.errorString());
        return false;
    }
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLocal8Bit() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        Messages().Error(this, file.errorString());
        return false;
    }
    return true;
}

void TPellinMainForm::GetLogWithSysInfo(QStringList& lines) {
    lines << kSeparatorLine << tr(kLogInfoHeading) << kSeparatorLine;
    AddSystemInfo(lines);
    AddSettingInfo(lines);
    lines << QString() << QString() << kSeparatorLine << tr(kLogHeading) << kSeparatorLine;
    lines << LogLines();
    lines << kSeparatorLine;
}
