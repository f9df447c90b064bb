// Texts of the process log: the separator line and markup-free messages.
#pragma once

#include <QString>

// 56 hyphens, around the blocks of the log and of the saved reports.
inline constexpr const char* kSeparatorLine =
    "--------------------------------------------------------";

// "<BR>" (any case) becomes CR LF and every other tag is removed. A "<" with
// no ">" after it is no tag and stays, with the rest of the text.
QString StripHtmlTags(const QString& text);
