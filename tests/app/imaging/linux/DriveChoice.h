// Picks a device the test attached in one of the window's drive drop-downs.
#pragma once

#include "SpecUtils.h"

#include <QComboBox>
#include <gtest/gtest.h>
#include <string>

namespace apptest {

// The display name of a device as the window lists it; empty when unlisted.
inline QString DisplayNameOf(const std::string& device) {
    TDriveList list;
    EnumDrivesAndDisks(list);
    const qsizetype index = list.InternalNames.indexOf(QString::fromStdString(device));
    return index >= 0 ? list.DisplayNames[index] : QString();
}

// Selects the device's entry, as a user does; returns its display name.
inline QString ChooseDrive(QComboBox* drives, const std::string& device) {
    const QString display = DisplayNameOf(device);
    EXPECT_FALSE(display.isEmpty()) << device << " is not listed";
    drives->setCurrentIndex(drives->findText(display));
    EXPECT_EQ(drives->currentText(), display);
    return display;
}

} // namespace apptest
