// The product's settings, beside the framework's.
#pragma once

#include "framework/PellinSetting.h"

#include <cstdint>

class TSetting : public TPellinSetting {
  public:
    using TPellinSetting::TPellinSetting;

    QString GetDefaultOpenDirectory() const override;
    void SaveSetting() override;
    void LoadSetting() override;

    uint8_t ReplaceData = 0; // written in place of unreadable source data
    QString TempDir;
    int32_t BufSize = 512;
};
