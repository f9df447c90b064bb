// A fresh per-user config folder for the settings of one test.
#pragma once

#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace apptest {

class TempConfigFolder {
  public:
    TempConfigFolder() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }
    bool IsValid() const { return m_dir.isValid(); }
    // Where a program of this name keeps its settings.
    QString IniFile(const QString& programName) const {
        return m_dir.path() + u'/' + programName + QStringLiteral(".ini");
    }
    // The file itself, to plant or inspect values as another writer would.
    std::unique_ptr<QSettings> Open(const QString& programName) const {
        return std::make_unique<QSettings>(IniFile(programName), QSettings::IniFormat);
    }

  private:
    QTemporaryDir m_dir;
};

} // namespace apptest
