#include "TrackingCode.h"

QString GetTrackingCode(const QString& programName) {
    const TSettingsStore store(programName);
    return store.ReadString(QStringLiteral("TrackingCode"), QString());
}

QString AddTrackingCode(const QString& url, const QString& trackingCode) {
    if (trackingCode.isEmpty())
        return url;
    return url + QStringLiteral("?utm_source=") + trackingCode;
}

QString AddTrackingCode(const QString& url) {
    return AddTrackingCode(url, GetTrackingCode());
}
