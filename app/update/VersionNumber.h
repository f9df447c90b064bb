// Version numbers as one unsigned 64-bit value: four 16-bit fields, the
// first number in the top bits, so that newer versions compare greater.
// 0 stands for a missing or unreadable version.
#pragma once

#include <QString>

#include <cstdint>

// Up to four numbers separated by "." or ","; blanks before a number are
// skipped, empty parts dropped, text that is no integer reads as 0, and
// every number keeps its low 16 bits.
uint64_t ParseVersionText(const QString& text);
// The file version from the file's fixed version record; 0 without one.
uint64_t FileVersionNumber(const QString& fileName);
