// Where the main window and its shared progress panel stand.
#include "RestoreWindowFixture.h"

#include <QLayout>
#include <QScreen>

namespace {

class WindowPlacement : public RestoreWindow {};

TEST_F(WindowPlacement, OpensCentredOnTheScreen) {
    const QRect area = form->screen()->availableGeometry();
    const QPoint offset = form->frameGeometry().center() - area.center();
    EXPECT_LE(offset.manhattanLength(), 2)
        << offset.x() << "," << offset.y() << " frame " << form->frameGeometry().x() << ","
        << form->frameGeometry().y() << " " << form->frameGeometry().width() << "x"
        << form->frameGeometry().height() << " area " << area.width() << "x" << area.height();
}

TEST_F(WindowPlacement, ProgressPanelHasTheLogsLeftEdgeAndWidthOnBothPages) {
    auto* log = Child<QWidget>("txtRepairLog");
    auto* progress = Child<QWidget>("palProgress");
    for (const char* page : {"btnRestoreTab", "btnRepairTab"}) {
        Click(page);
        form->layout()->activate();
        QCoreApplication::processEvents();
        ASSERT_EQ(progress->parentWidget(), log->parentWidget()) << page;
        EXPECT_EQ(progress->geometry().left(), log->geometry().left()) << page;
        EXPECT_EQ(progress->geometry().width(), log->geometry().width()) << page;
        EXPECT_GT(progress->geometry().top(), log->geometry().bottom()) << page; // below it
    }
}

} // namespace
