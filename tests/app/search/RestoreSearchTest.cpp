// The Restore page's search button: the search window opened for one file,
// and what it hands back to the source field.
#include "../imaging/CloneWindowFixture.h"

#include "QtPrinters.h"
#include "SearchFrm.h"
#include "SearchTree.h"

#include <QComboBox>
#include <QTreeWidget>

namespace {

using Answer = MessageService::Answer;
using searchtest::SearchTree;

class RestoreSearch : public CloneWindow {
  protected:
    void SetUp() override {
        CloneWindow::SetUp();
        form->CreateSearchForm(); // as the program does at start
        search = form->SearchForm();
        ASSERT_NE(search, nullptr);
        Click("btnRestoreTab");
        Child<TDragEdit>("txtRestoreSrcFile")->setText("previous.img");
    }

    QString Source() const { return Child<TDragEdit>("txtRestoreSrcFile")->text(); }
    void SearchClick(const char* button) {
        QTest::mouseClick(search->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void StartSearch(const QString& folder) {
        search->findChild<QComboBox*>("cmbDirectory")->setEditText(folder);
        SearchClick("btnSearch");
    }
    // Runs `action` while the search window is shown by the page.
    void WhileShown(std::function<void()> action) {
        messages.onShow = [this, action](const ScriptedMessageService::Shown& shown) {
            if (shown.kind == "window") {
                EXPECT_TRUE(search->isVisible());
                action();
            }
        };
    }

    TSearchForm* search = nullptr;
};

TEST_F(RestoreSearch, AddSelectedFillsTheSourceWithTheFullPath) {
    SearchTree tree;
    const QString image = tree.File("images/disk.img");
    WhileShown([&] {
        StartSearch(tree.Root());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !search->IsSearching(); }, 20000));
        search->fl->topLevelItem(0)->setSelected(true);
        SearchClick("btnAddSelected");
    });
    search->Tag = 7; // the page resets it before showing

    Click("btnRestoreSrcSearch");

    EXPECT_EQ(Source(), image);
    EXPECT_EQ(search->Tag, 1);
    EXPECT_FALSE(search->findChild<QPushButton*>("btnSelectAll")->isVisibleTo(search));
    EXPECT_EQ(search->fl->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(RestoreSearch, ClosedWithoutAddSelectedLeavesTheSourceAndKeepsResults) {
    SearchTree tree;
    tree.File("disk.img");
    WhileShown([&] {
        StartSearch(tree.Root());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !search->IsSearching(); }, 20000));
        search->fl->topLevelItem(0)->setSelected(true);
        SearchClick("btnClose");
    });
    Click("btnRestoreSrcSearch");
    EXPECT_EQ(Source(), "previous.img");
    EXPECT_EQ(search->Tag, 0);

    // The next showing finds the results of the last search.
    WhileShown([&] {
        EXPECT_EQ(search->fl->topLevelItemCount(), 1);
        SearchClick("btnAddSelected");
    });
    Click("btnRestoreSrcSearch");
    EXPECT_EQ(Source(), tree.Path("disk.img"));
}

TEST_F(RestoreSearch, StoppedOrClosedSearchLeavesTheSource) {
    SearchTree tree(searchtest::LargeTreeBase());
    for (int i = 0; i < 2000; ++i)
        tree.Folder(QString("f%1/g").arg(i));
    tree.File("f0/g/first.img");

    WhileShown([&] {
        StartSearch(tree.Root());
        SearchClick("btnSearch"); // Stop
        ASSERT_TRUE(QTest::qWaitFor([&] { return !search->IsSearching(); }, 20000));
        SearchClick("btnClose");
    });
    Click("btnRestoreSrcSearch");
    EXPECT_EQ(Source(), "previous.img");
    EXPECT_EQ(search->Tag, 0);

    messages.answers = {Answer::Yes};
    WhileShown([&] {
        StartSearch(tree.Root());
        search->close(); // asks, then ends the search
        EXPECT_FALSE(search->IsSearching());
    });
    Click("btnRestoreSrcSearch");
    EXPECT_EQ(Source(), "previous.img");
    EXPECT_EQ(search->Tag, 0);
    EXPECT_TRUE(messages.Texts("confirm").contains(
        "Cancel the current search and close the search window?"));
}

} // namespace
