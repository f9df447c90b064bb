#include "SettingsStore.h"

#include "host/HostQueries.h"

#include <QSettings>

QString ProgramName() {
    return ProgramNameOf(host::ProgramFilePath());
}

QString ProgramNameOf(const QString& programPath) {
    const QString fileName = host::FileNamePart(programPath);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

TSettingsStore::TSettingsStore(const QString& programName)
    : m_settings(host::OpenProgramSettings(programName)) {
    m_settings->beginGroup(QStringLiteral("Misc"));
}

TSettingsStore::~TSettingsStore() {
    m_settings->endGroup();
    m_settings->sync();
}

QString TSettingsStore::ReadString(const QString& name, const QString& fallback) const {
    const QVariant value = m_settings->value(name);
    if (!value.isValid())
        return fallback;
    // An INI file reads an unquoted text with commas as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void TSettingsStore::WriteString(const QString& name, const QString& value) {
    m_settings->setValue(name, value);
}

int32_t TSettingsStore::ReadNumber(const QString& name, int32_t fallback) const {
    const QVariant value = m_settings->value(name);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number =
        value.typeId() == QMetaType::QString ? value.toString().toInt(&ok, 10) : value.toInt(&ok);
    return ok ? number : fallback;
}

void TSettingsStore::WriteNumber(const QString& name, int32_t value) {
    if (m_settings->value(name).typeId() == QMetaType::QString)
        m_settings->setValue(name, QString::number(value));
    else
        m_settings->setValue(name, value);
}

bool TSettingsStore::ReadBool(const QString& name, bool fallback) const {
    return ReadNumber(name, fallback ? 1 : 0) != 0;
}

void TSettingsStore::WriteBool(const QString& name, bool value) {
    WriteString(name, value ? QStringLiteral("1") : QStringLiteral("0"));
}
