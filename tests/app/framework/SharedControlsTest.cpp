// The shared controls: the drop-target edit, the message window, the
// log's save dialog and the panel.
#include "DragEdit.h"
#include "MsgFrm.h"
#include "PellinPanel.h"
#include "logdlg.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Drops are delivered as the window system's drag manager would.
struct DropTarget : TDragEdit {
    using TDragEdit::dropEvent;
};

TEST(DragEdit, TakesOnlyTheFirstDroppedFileOnceRegistered) {
    DropTarget edit;
    EXPECT_FALSE(edit.acceptDrops());
    edit.DragAccept(true);
    EXPECT_TRUE(edit.acceptDrops());
    QStringList dropped;
    QObject::connect(&edit, &TDragEdit::OnDropFile,
                     [&](QObject*, const QString& file) { dropped << file; });

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.img"), QUrl::fromLocalFile("/tmp/b.img"),
                  QUrl::fromLocalFile("/tmp/c.img")});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    edit.dropEvent(&drop);

    EXPECT_EQ(dropped, QStringList{"/tmp/a.img"});

    QMimeData noFile;
    noFile.setText("just text");
    QDropEvent textDrop(QPointF(5, 5), Qt::CopyAction, &noFile, Qt::LeftButton, Qt::NoModifier);
    edit.dropEvent(&textDrop);
    EXPECT_EQ(dropped.size(), 1);
}

// Height of the shown message window and the gap above its Close button.
std::pair<int, int> ShownLayout(const QString& message) {
    TMsgForm form(nullptr, message);
    form.show();
    const int gap = form.btnClose()->y() - (form.labMsg()->geometry().bottom() + 1);
    const int height = form.height();
    form.hide();
    return {height, gap};
}

TEST(MessageWindow, GrowsWithTheMessageAndKeepsCloseUnderIt) {
    const auto [shortHeight, shortGap] = ShownLayout("One line.");
    const auto [tallHeight, tallGap] = ShownLayout("<B>Done</B><BR>second<BR>third<BR>fourth");
    EXPECT_EQ(shortGap, 16);
    EXPECT_EQ(tallGap, 16);
    EXPECT_GT(tallHeight, shortHeight);

    TMsgForm form(nullptr, "x");
    EXPECT_EQ(form.windowTitle(), "Information");
    EXPECT_EQ(form.btnClose()->text(), "&Close");
    EXPECT_EQ(form.labMsg()->width(), 546);
}

TEST(SaveLogDialog, SystemInformationIsCheckedAtFirstAndRemembered) {
    TSaveLogDialog dialog(nullptr);
    QCheckBox* check = dialog.findChild<QCheckBox*>("SystemInfoCheckBox");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), "Include S&ystem Information");
    EXPECT_TRUE(dialog.IncludeSysInfo());
    dialog.show();
    check->setChecked(false);
    dialog.reject();
    dialog.show();
    EXPECT_FALSE(dialog.IncludeSysInfo());
    dialog.reject();
    EXPECT_EQ(dialog.defaultSuffix(), "log");
}

TEST(PellinPanel, TransparencyTogglesItsOwnBackground) {
    TPellinPanel panel;
    EXPECT_FALSE(panel.Transparent());
    EXPECT_TRUE(panel.autoFillBackground());
    panel.SetTransparent(true);
    EXPECT_TRUE(panel.Transparent());
    EXPECT_FALSE(panel.autoFillBackground());
    panel.SetTransparent(false);
    EXPECT_TRUE(panel.autoFillBackground());
}

} // namespace
