// Durations as the consumed-time texts of the progress panels and the log.
#pragma once

#include <QString>

#include <chrono>

// The patterns in use. Quoted parts are literal; %d receives whole days.
inline constexpr const char* kElapsedDisplayPattern = R"p("%d day(s)" h "hour(s)" n "minute(s) ")p";
inline constexpr const char* kElapsedLogPattern =
    R"p("Consumed time: %d day(s)" h "hour(s)" n "minute(s)" s "second(s)" z "millisecond(s).")p";
inline constexpr const char* kElapsedBatchLogPattern =
    R"p("Batch clone consumed time: %d day(s)" h "hour(s)" n "minute(s)" s "second(s)" z "millisecond(s).")p";

// Applies the time-of-day pattern to what remains of the duration after
// whole days (h, n, s, z without leading zeros; hh, nn, ss, zzz padded;
// text in double or single quotes literal), then puts the whole days in
// place of %d. A negative duration reads as zero.
QString FormatElapsedTime(const QString& pattern, std::chrono::milliseconds duration);
