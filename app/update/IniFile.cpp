#include "IniFile.h"

#include "TextFile.h"

#include <QRegularExpression>
#include <QStringList>

TIniFile::TIniFile(const QString& fileName) {
    Parse(ReadTextFile(fileName));
}

TIniFile TIniFile::FromText(const QString& text) {
    TIniFile ini;
    ini.Parse(text);
    return ini;
}

QString TIniFile::Key(const QString& section, const QString& key) {
    return section.trimmed().toLower() + QChar(0) + key.trimmed().toLower();
}

void TIniFile::Parse(const QString& text) {
    QString section;
    bool inSection = false;
    for (const QString& raw : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype end = line.indexOf(u']');
            inSection = end > 0;
            section = inSection ? line.mid(1, end - 1) : QString();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inSection || line.startsWith(u';') || equals <= 0)
            continue;
        const QString key = Key(section, line.left(equals));
        if (!FValues.contains(key))
            FValues.insert(key, line.mid(equals + 1).trimmed());
    }
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& defaultValue) const {
    return FValues.value(Key(section, key), defaultValue);
}
