// The real main window on its Batch Clone page: rows added as the add
// dialog adds them, the statuses read back, the gauge's values recorded.
#pragma once

#include "CloneWindowFixture.h"
#include "QtPrinters.h"

#include <QProgressBar>
#include <QTreeWidget>

class BatchWindow : public CloneWindow {
  protected:
    void SetUp() override {
        CloneWindow::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        Child<QPushButton>("btnBatchRepairTab")->click();
        QObject::connect(Child<QProgressBar>("BatchGauge"), &QProgressBar::valueChanged,
                         [this](int value) { gaugeValues << value; });
    }

    QTreeWidget* List() const { return Child<QTreeWidget>("FileList"); }
    void AddRow(const QString& source, const QString& output) {
        form->AddBatchEntry(source, output);
    }
    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < List()->topLevelItemCount(); ++row)
            texts << List()->topLevelItem(row)->text(column);
        return texts;
    }
    QStringList Statuses() const { return Column(2); }
    int BatchGauge() const { return Child<QProgressBar>("BatchGauge")->value(); }

    QList<int> gaugeValues; // every value the batch gauge took
};
