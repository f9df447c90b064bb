// Every drive and disk the window lists, with what tells them apart.
#include "Commands.h"

#include "CommandResult.h"
#include "SpecConsts.h"
#include "SpecUtils.h"
#include "host/DeviceDetails.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonObject Describe(const TDriveList& list, int index) {
    const QString& name = list.DisplayNames[index];
    const QString& node = list.InternalNames[index];
    const host::DeviceDetails details = host::DescribeDevice(node);
    QJsonArray mounts;
    for (const host::MountedVolume& mount : details.mounts)
        mounts << QJsonObject{{"device", mount.device}, {"mountPoint", mount.mountPoint}};
    return QJsonObject{
        {"displayName", name},
        {"node", node},
        {"kind", name.startsWith(QLatin1String(kHardDiskPrefix)) ? "disk" : "drive"},
        {"sizeBytes", static_cast<qint64>(GetSrcSize(list, name))},
        {"model", details.model},
        {"serial", details.serial},
        {"removable", details.removable},
        {"mounts", mounts},
    };
}

QString OrDash(const QString& text) {
    return text.isEmpty() ? QStringLiteral("-") : text;
}

void SayEntry(const Console& console, const QJsonObject& entry) {
    console.Say(entry["displayName"].toString());
    console.Say(QStringLiteral("  node:      ") + entry["node"].toString());
    console.Say(QStringLiteral("  size:      %1 bytes").arg(entry["sizeBytes"].toInteger()));
    console.Say(QStringLiteral("  model:     ") + OrDash(entry["model"].toString()));
    console.Say(QStringLiteral("  serial:    ") + OrDash(entry["serial"].toString()));
    console.Say(QStringLiteral("  removable: ") +
                (entry["removable"].toBool() ? QStringLiteral("yes") : QStringLiteral("no")));
    const QJsonArray mounts = entry["mounts"].toArray();
    if (mounts.isEmpty())
        console.Say(QStringLiteral("  mounted:   -"));
    for (const QJsonValue& mount : mounts)
        console.Say(QStringLiteral("  mounted:   %1 on %2")
                        .arg(mount["device"].toString(), mount["mountPoint"].toString()));
}

} // namespace

ExitStatus RunList(Console& console) {
    TDriveList list;
    EnumDrivesAndDisks(list);
    QJsonArray entries;
    for (int i = 0; i < list.Count(); ++i) {
        const QJsonObject entry = Describe(list, i);
        entries << entry;
        if (i > 0)
            console.Say({});
        SayEntry(console, entry);
    }
    CommandResult result(console, QStringLiteral("list"));
    result.Set("devices", entries);
    return result.End(ExitStatus::Success);
}
