// The real main window on its Restore page, with scripted message boxes.
#pragma once

#include "CloneWindowFixture.h"

#include <QComboBox>
#include <QPlainTextEdit>

class RestoreWindow : public CloneWindow {
  protected:
    void SetUp() override {
        CloneWindow::SetUp();
        if (form)
            Click("btnRestoreTab");
    }

    void SetImage(const QString& path) { Child<TDragEdit>("txtRestoreSrcFile")->setText(path); }
    // The hidden field the start reads, as a drop-down choice fills it.
    void SetTarget(const QString& display) {
        Child<QLineEdit>("txtRestoreDstFile")->setText(display);
    }

    // Everything a refused start must leave as it was.
    struct PageState {
        QStringList log;
        QString button;
        bool controlsEnabled = false;
        bool operator==(const PageState&) const = default;
    };
    PageState State() {
        bool enabled = true;
        for (const char* name : {"txtRestoreSrcFile", "btnRestoreSrcMore", "btnRestoreSrcSearch",
                                 "cmbRestoreDstDrives", "btnRestoreDstRefresh", "btnRestore",
                                 "cmbSrcDrives", "txtDstFile", "btnSaveLog"})
            enabled = enabled && Child<QWidget>(name)->isEnabled();
        return {form->LogLines(), Child<QPushButton>("btnRestore")->text(), enabled};
    }
};
