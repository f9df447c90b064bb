#include "Setting.h"

#include "framework/host/HostQueries.h"

QString TSetting::GetDefaultOpenDirectory() const {
    return {};
}

void TSetting::SaveSetting() {
    TPellinSetting::SaveSetting();
    TSettingsStore store(StoreName());
    store.WriteNumber(QStringLiteral("ReplaceData"), ReplaceData);
    store.WriteString(QStringLiteral("TempDir"), TempDir);
    store.WriteNumber(QStringLiteral("BufSize"), BufSize);
}

void TSetting::LoadSetting() {
    TPellinSetting::LoadSetting();
    const TSettingsStore store(StoreName());
    // Only the low 8 bits of a stored number are a byte value.
    ReplaceData = static_cast<uint8_t>(store.ReadNumber(QStringLiteral("ReplaceData"), 0));
    TempDir = store.ReadString(QStringLiteral("TempDir"), host::LongTemporaryDirectory());
    BufSize = store.ReadNumber(QStringLiteral("BufSize"), 512);
}
