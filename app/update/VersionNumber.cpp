#include "VersionNumber.h"

#include "VersionInfo.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int kFields = 4;
constexpr int kFieldBits = 16;

QString SkipLeadingBlanks(const QString& part) {
    qsizetype i = 0;
    while (i < part.size() && part[i].isSpace())
        ++i;
    return part.mid(i);
}

} // namespace

uint64_t ParseVersionText(const QString& text) {
    QStringList parts;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[.,]")))) {
        const QString number = SkipLeadingBlanks(part);
        if (!number.isEmpty())
            parts << number;
    }
    uint64_t version = 0;
    for (int field = 0; field < kFields && field < parts.size(); ++field) {
        bool ok = false;
        const int value = parts[field].toInt(&ok, 10);
        const uint64_t bits = ok ? static_cast<uint16_t>(value) : 0;
        version |= bits << (kFieldBits * (kFields - 1 - field));
    }
    return version;
}

uint64_t FileVersionNumber(const QString& fileName) {
    TFixedFileInfo info;
    if (!GetFixedFileInfo(fileName, info))
        return 0;
    return (static_cast<uint64_t>(info.dwFileVersionMS) << 32) | info.dwFileVersionLS;
}
