// Picks a device the test attached in one of the window's drive drop-downs.
// Names come from the window's own list: other tests attach disks at the
// same time, so a second enumeration may number the disks differently.
#pragma once

#include "MainFrm.h"

#include <QComboBox>
#include <gtest/gtest.h>
#include <string>

namespace apptest {

// The display name the window lists the device under; empty when unlisted.
inline QString DisplayNameOf(const TMainForm& form, const std::string& device) {
    const TDriveList& list = form.DriveList();
    const qsizetype index = list.InternalNames.indexOf(QString::fromStdString(device));
    return index >= 0 ? list.DisplayNames[index] : QString();
}

// Selects the device's entry, as a user does; returns its display name.
inline QString ChooseDrive(const TMainForm& form, QComboBox* drives, const std::string& device) {
    const QString display = DisplayNameOf(form, device);
    EXPECT_FALSE(display.isEmpty()) << device << " is not listed";
    drives->setCurrentIndex(drives->findText(display));
    EXPECT_EQ(drives->currentText(), display);
    return display;
}

} // namespace apptest
