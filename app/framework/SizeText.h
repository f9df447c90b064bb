// Byte counts as the size text the user reads.
#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

// Two decimals with the locale's separators, in KB, MB, GB or TB; the unit
// is chosen from the exact count at 2^20, 2^30 and 2^40 bytes, and
// everything below 2^20, negative counts included, is shown in KB.
QString FormatSize(int64_t bytes, const QLocale& locale = QLocale());

// A whole number with the locale's digit grouping, as byte counts are logged.
QString FormatByteCount(int64_t bytes, const QLocale& locale = QLocale());
QString FormatByteCount(uint64_t bytes, const QLocale& locale = QLocale());
