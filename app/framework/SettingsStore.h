// The per-user, per-program store of the settings: group "Misc" under the
// program's name. Numbers and booleans follow the registry's rules on every
// system, so that the stored values read the same everywhere.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class QSettings;

// The running program's file name without its extension.
QString ProgramName();
// The name a settings store takes for a program file path.
QString ProgramNameOf(const QString& programPath);

class TSettingsStore {
  public:
    explicit TSettingsStore(const QString& programName);
    ~TSettingsStore();
    TSettingsStore(const TSettingsStore&) = delete;
    TSettingsStore& operator=(const TSettingsStore&) = delete;

    QString ReadString(const QString& name, const QString& fallback) const;
    void WriteString(const QString& name, const QString& value);
    // A stored number or decimal text; `fallback` when missing or not a
    // 32-bit decimal integer.
    int32_t ReadNumber(const QString& name, int32_t fallback) const;
    // A new value is stored as a number; one already stored as text stays text.
    void WriteNumber(const QString& name, int32_t value);
    // Stored as the text "1" or "0", read as a number: non-zero is true.
    bool ReadBool(const QString& name, bool fallback) const;
    void WriteBool(const QString& name, bool value);

  private:
    std::unique_ptr<QSettings> m_settings;
};
