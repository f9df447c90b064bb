// The framework's settings: dialog memories and the update check.
#pragma once

#include "SettingsStore.h"

#include <QString>

#include <cstdint>

class TPellinSetting {
  public:
    // `programName` picks the store; copies of the program under other
    // names keep their own settings.
    explicit TPellinSetting(QString programName = ProgramName());
    virtual ~TPellinSetting() = default;
    TPellinSetting(const TPellinSetting&) = delete;
    TPellinSetting& operator=(const TPellinSetting&) = delete;

    // The open-file dialog's first folder when none is stored yet.
    virtual QString GetDefaultOpenDirectory() const = 0;
    virtual void SaveSetting();
    virtual void LoadSetting();

    const QString& StoreName() const { return FProgramName; }

    QString OpenDirectory;
    int32_t OpenFilterIndex = 1;
    int32_t SaveFilterIndex = 1;
    bool AutoUpdate = true;

  private:
    QString FProgramName;
};
