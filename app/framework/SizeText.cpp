#include "SizeText.h"

namespace {

struct Unit {
    int64_t divisor;
    const char* suffix;
};

constexpr int64_t kKB = int64_t{1} << 10;
constexpr int64_t kMB = int64_t{1} << 20;
constexpr int64_t kGB = int64_t{1} << 30;
constexpr int64_t kTB = int64_t{1} << 40;

Unit UnitFor(int64_t bytes) {
    if (bytes >= kTB)
        return {kTB, " TB"};
    if (bytes >= kGB)
        return {kGB, " GB"};
    if (bytes >= kMB)
        return {kMB, " MB"};
    return {kKB, " KB"};
}

} // namespace

QString FormatSize(int64_t bytes, const QLocale& locale) {
    const Unit unit = UnitFor(bytes);
    // Long double keeps the quotient exact enough for any 64-bit count.
    const long double quotient = static_cast<long double>(bytes) / unit.divisor;
    return locale.toString(static_cast<double>(quotient), 'f', 2) + QLatin1String(unit.suffix);
}

QString FormatByteCount(int64_t bytes, const QLocale& locale) {
    return locale.toString(static_cast<qlonglong>(bytes));
}

QString FormatByteCount(uint64_t bytes, const QLocale& locale) {
    return locale.toString(static_cast<qulonglong>(bytes));
}
