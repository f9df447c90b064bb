// The version of an executable file, from its fixed version record.
#pragma once

#include "FixedFileInfo.h"

#include <QString>

#include <cstdint>

enum class TVersionKind { FullFileVersion, FullProductVersion };

bool GetFixedFileInfo(const QString& fileName, TFixedFileInfo& info);
// Four dot-separated numbers, or empty text when the file has no record.
QString GetVersionText(const QString& fileName, TVersionKind kind);
// "1.2.3.4" from a most significant word holding 1 and 2 and a least
// significant word holding 3 and 4.
QString VersionText(uint32_t mostSignificant, uint32_t leastSignificant);
