#include "PellinSetting.h"

TPellinSetting::TPellinSetting(QString programName) : FProgramName(std::move(programName)) {}

void TPellinSetting::SaveSetting() {
    TSettingsStore store(FProgramName);
    store.WriteString(QStringLiteral("OpenDirectory"), OpenDirectory);
    store.WriteNumber(QStringLiteral("OpenFilterIndex"), OpenFilterIndex);
    store.WriteNumber(QStringLiteral("SaveFilterIndex"), SaveFilterIndex);
    store.WriteBool(QStringLiteral("AutoUpdate"), AutoUpdate);
}

void TPellinSetting::LoadSetting() {
    const TSettingsStore store(FProgramName);
    OpenDirectory = store.ReadString(QStringLiteral("OpenDirectory"), GetDefaultOpenDirectory());
    OpenFilterIndex = store.ReadNumber(QStringLiteral("OpenFilterIndex"), 1);
    SaveFilterIndex = store.ReadNumber(QStringLiteral("SaveFilterIndex"), 1);
    AutoUpdate = store.ReadBool(QStringLiteral("AutoUpdate"), true);
}
