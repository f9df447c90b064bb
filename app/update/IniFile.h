// Reads an INI text the way the system's profile functions do: names of
// sections and keys ignore letter case, the first occurrence wins, values
// are taken as they stand (commas and all) with the blanks around them cut.
#pragma once

#include <QHash>
#include <QString>

class TIniFile {
  public:
    // Missing or unreadable files read as empty.
    explicit TIniFile(const QString& fileName);

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue = {}) const;

    static TIniFile FromText(const QString& text);

  private:
    TIniFile() = default;
    void Parse(const QString& text);
    static QString Key(const QString& section, const QString& key);

    QHash<QString, QString> FValues;
};
