#include "ElapsedTime.h"

namespace {

using std::chrono::milliseconds;

struct DayParts {
    long long days = 0;
    long long hours = 0;
    long long minutes = 0;
    long long seconds = 0;
    long long millis = 0;
};

DayParts Split(milliseconds duration) {
    long long ms = std::max<long long>(duration.count(), 0);
    DayParts parts;
    parts.millis = ms % 1000;
    ms /= 1000;
    parts.seconds = ms % 60;
    ms /= 60;
    parts.minutes = ms % 60;
    ms /= 60;
    parts.hours = ms % 24;
    parts.days = ms / 24;
    return parts;
}

// The length of the run of `letter` (any case) starting at `pos`.
qsizetype RunLength(const QString& pattern, qsizetype pos) {
    const QChar letter = pattern[pos].toLower();
    qsizetype end = pos;
    while (end < pattern.size() && pattern[end].toLower() == letter)
        ++end;
    return end - pos;
}

QString Field(long long value, qsizetype run, int paddedWidth) {
    return run > 1 ? QStringLiteral("%1").arg(value, paddedWidth, 10, QChar(u'0'))
                   : QString::number(value);
}

} // namespace

QString FormatElapsedTime(const QString& pattern, milliseconds duration) {
    const DayParts parts = Split(duration);
    QString text;
    for (qsizetype pos = 0; pos < pattern.size();) {
        const QChar c = pattern[pos];
        if (c == u'"' || c == u'\'') {
            const qsizetype close = pattern.indexOf(c, pos + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            text += pattern.mid(pos + 1, end - pos - 1);
            pos = end + 1;
            continue;
        }
        const qsizetype run = RunLength(pattern, pos);
        switch (c.toLower().unicode()) {
        case u'h':
            text += Field(parts.hours, run, 2);
            break;
        case u'n':
            text += Field(parts.minutes, run, 2);
            break;
        case u's':
            text += Field(parts.seconds, run, 2);
            break;
        case u'z':
            text += Field(parts.millis, run, 3);
            break;
        default:
            text += pattern.mid(pos, run);
            break;
        }
        pos += run;
    }
    return text.replace(QStringLiteral("%d"), QString::number(parts.days));
}
