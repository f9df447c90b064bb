// The campaign code that the main window's web links carry.
#pragma once

#include "SettingsStore.h"

#include <QString>

// "TrackingCode" from the program's settings; the program never writes it.
QString GetTrackingCode(const QString& programName = ProgramName());
// Url followed by "?utm_source=" and the code, unescaped; Url unchanged
// when the code is empty.
QString AddTrackingCode(const QString& url, const QString& trackingCode);
QString AddTrackingCode(const QString& url);
