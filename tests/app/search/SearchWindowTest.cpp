// The real search window on a tree the test builds: what it finds, how each
// criterion narrows it, and every way a search and the window end.
#include "SearchWindowFixture.h"

#include "FileSearch.h"
#include "host/HardDrives.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

namespace {

using Answer = MessageService::Answer;
using searchtest::SearchTree;

const QString kCompleted = "Search is completed. %1 file(s) found.";
const QString kCancelled = "Search is cancelled by the user!";
const QString kCancelAndClose = "Cancel the current search and close the search window?";

TEST_F(SearchWindow, OpensWithItsDefaults) {
    QString hardDrives;
    for (const QString& root : host::LocalHardDrives().roots)
        hardDrives += root + ';';
    EXPECT_EQ(form->HardDrives(), hardDrives);
    EXPECT_EQ(Child<QComboBox>("cmbDirectory")->currentText(),
              "Local Harddrives (" + hardDrives + ")");
    EXPECT_EQ(Child<QComboBox>("cmbDirectory")->count(), 1);
    EXPECT_EQ(Child<QComboBox>("cmbFileName")->currentText(), "Disk/Drive image files (*.img)");
    EXPECT_TRUE(Child<QCheckBox>("RecurseSubDirs")->isChecked());
    EXPECT_EQ(Child<QPushButton>("btnSearch")->text(), "&Start Search");
    EXPECT_EQ(Child<QPushButton>("btnAdvOptions")->text(), "&+");
    EXPECT_EQ(Child<QWidget>("palAdvOptions")->height(), 0);
    EXPECT_FALSE(Child<QWidget>("palAdvOptions")->isEnabled());
    EXPECT_EQ(Child<QLabel>("labProgress")->text(), "0 file(s) found");
    EXPECT_EQ(Child<QLabel>("labConsumedTime")->text(), "0 day(s) 0 hour(s) 0 minute(s) ");
    EXPECT_EQ(Child<QLabel>("labBanner")->text(), "Search for source image files to be restored ");
    EXPECT_EQ(Child<QComboBox>("cmbDirectory")->toolTip(),
              "Select or input the folder where file is searched");
    EXPECT_EQ(Child<QPushButton>("btnClose")->toolTip(),
              "Close search window without adding any found files");
    EXPECT_TRUE(form->windowTitle().isEmpty());
    EXPECT_EQ(form->size(), QSize(765, 505));
    EXPECT_EQ(form->minimumSize(), QSize(757, 497));
    const QTreeWidgetItem* header = form->fl->headerItem();
    const QStringList columns{"Name",    "Directory",     "Size(bytes)",
                              "Created", "Last Accessed", "Last Modified"};
    const int widths[] = {129, 200, 65, 112, 112, 112};
    ASSERT_EQ(form->fl->columnCount(), 6);
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(header->text(column), columns[column]);
        EXPECT_EQ(form->fl->columnWidth(column), widths[column]);
    }
}

TEST_F(SearchWindow, FindsEveryImageOnceAndReportsTheCount) {
    SearchTree tree;
    tree.File("one.img", 1536);
    tree.File("sub/TWO.IMG");
    tree.File("sub/deeper/three.Img");
    tree.File("sub/notes.txt");
    tree.Link("sub/deeper/up", "../..");

    // Overlapping start folders, with blanks and empty entries.
    Search(" " + tree.Root() + " ;;" + tree.Path("sub") + ";" + tree.Root());

    EXPECT_EQ(FoundNames(), (QStringList{"TWO.IMG", "one.img", "three.Img"}));
    EXPECT_EQ(messages.Texts("information"), QStringList{kCompleted.arg(3)});
    EXPECT_EQ(Child<QLabel>("labProgress")->text(), "3 file(s) found");
    EXPECT_EQ(Child<QPushButton>("btnSearch")->text(), "&Start Search");
    EXPECT_TRUE(Child<QLabel>("labDir")->text().isEmpty());
    const auto rows = form->fl->findItems("one.img", Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]->text(1), tree.Root());
    EXPECT_EQ(rows[0]->text(2), "1536");
    EXPECT_FALSE(rows[0]->text(5).isEmpty());
}

TEST_F(SearchWindow, MissingFolderFindsNothingAndCompletes) {
    SearchTree tree;
    Search(tree.Path("no such folder"));
    EXPECT_EQ(form->fl->topLevelItemCount(), 0);
    EXPECT_EQ(messages.Texts("information"), QStringList{kCompleted.arg(0)});
}

TEST_F(SearchWindow, WithoutSubfoldersOnlyTheFolderItself) {
    SearchTree tree;
    tree.File("top.img");
    tree.File("sub/below.img");
    Child<QCheckBox>("RecurseSubDirs")->setChecked(false);
    Search(tree.Root());
    EXPECT_EQ(FoundNames(), QStringList{"top.img"});
}

// A tree where each criterion keeps some files and drops others.
class CriteriaTree {
  public:
    CriteriaTree() {
        tree.File("small.img", 1024);
        tree.File("mid.img", 10 * 1024);
        tree.File("big.img", 100 * 1024);
        tree.File(".hidden.img", 1024);
        ::chmod(QFile::encodeName(tree.File("ro.img", 2048)).constData(), 0444);
        const QByteArray old = QFile::encodeName(tree.File("old.img", 5 * 1024));
        const timespec tenDaysAgo{::time(nullptr) - 10 * 86400, 0};
        const timespec times[2] = {tenDaysAgo, tenDaysAgo};
        ::utimensat(AT_FDCWD, old.constData(), times, 0);
    }
    SearchTree tree;
};

const QStringList kAllFiles{".hidden.img", "big.img", "mid.img", "old.img", "ro.img", "small.img"};

struct CriteriaCase {
    const char* name;
    std::function<void(SearchWindow&)> set;
    QStringList expected;
    friend void PrintTo(const CriteriaCase& c, std::ostream* out) { *out << c.name; }
};

class Criteria : public SearchWindow, public ::testing::WithParamInterface<CriteriaCase> {
  public:
    using SearchWindow::Check;
    using SearchWindow::SetValue;
};

TEST_P(Criteria, KeepAndDropTheRightFiles) {
    CriteriaTree files;
    GetParam().set(*this);
    QTest::qWait(20); // the files are older than the start of the search
    Search(files.tree.Root());
    EXPECT_EQ(FoundNames(), GetParam().expected);
    EXPECT_EQ(messages.Texts("information"),
              QStringList{kCompleted.arg(GetParam().expected.size())});
}

QStringList AllBut(const QStringList& dropped) {
    QStringList kept = kAllFiles;
    for (const QString& name : dropped)
        kept.removeAll(name);
    return kept;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Criteria,
    ::testing::Values(CriteriaCase{"None", [](SearchWindow&) {}, kAllFiles},
                      CriteriaCase{"AtLeast",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileSize");
                                       c.Check("chkFileMinSize");
                                       c.SetValue("txtMinSize", 10);
                                   },
                                   {"big.img", "mid.img"}},
                      CriteriaCase{"AtMostIncludesTheBound",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileSize");
                                       c.Check("chkFileMaxSize");
                                       c.SetValue("txtMaxSize", 5);
                                   },
                                   {".hidden.img", "old.img", "ro.img", "small.img"}},
                      CriteriaCase{"Between",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileSize");
                                       c.Check("chkFileMinSize");
                                       c.SetValue("txtMinSize", 2);
                                       c.Check("chkFileMaxSize");
                                       c.SetValue("txtMaxSize", 10);
                                   },
                                   {"mid.img", "old.img", "ro.img"}},
                      CriteriaCase{"AtMostZeroIsNoBound",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileSize");
                                       c.Check("chkFileMaxSize");
                                   },
                                   kAllFiles},
                      CriteriaCase{"UncheckedSizeGroupIgnoresItsBoxes",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("chkFileMinSize");
                                       c.SetValue("txtMinSize", 50);
                                   },
                                   kAllFiles},
                      CriteriaCase{
                          "AttributesWithNoBoxTicked",
                          [](SearchWindow& w) { static_cast<Criteria&>(w).Check("gbFileAttr"); },
                          kAllFiles},
                      CriteriaCase{"Hidden",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileAttr");
                                       c.Check("chkFileHiddenAttr");
                                   },
                                   {".hidden.img"}},
                      CriteriaCase{"ReadOnly",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileAttr");
                                       c.Check("chkFileReadOnlyAttr");
                                   },
                                   {"ro.img"}},
                      CriteriaCase{"ReadOnlyAndHidden",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileAttr");
                                       c.Check("chkFileReadOnlyAttr");
                                       c.Check("chkFileHiddenAttr");
                                   },
                                   {}},
                      CriteriaCase{"Archive",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileAttr");
                                       c.Check("chkFileArchiveAttr");
                                   },
                                   kAllFiles},
                      // Files the test makes are the system's own only when it runs as root
                      // (outside the home folder).
                      CriteriaCase{"System",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileAttr");
                                       c.Check("chkFileSystemAttr");
                                   },
                                   ::geteuid() == 0 ? kAllFiles : QStringList{}},
                      CriteriaCase{"ModifiedInFiveDays",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileTime");
                                       c.Check("chkFileModifiedTime");
                                       c.SetValue("txtFileModifiedTime", 5);
                                   },
                                   AllBut({"old.img"})},
                      CriteriaCase{"LastAccessedInFiveDays",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileTime");
                                       c.Check("chkFileLastAccessedTime");
                                       c.SetValue("txtFileLastAccessedTime", 5);
                                   },
                                   AllBut({"old.img"})},
                      CriteriaCase{"ModifiedInElevenDays",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileTime");
                                       c.Check("chkFileModifiedTime");
                                       c.SetValue("txtFileModifiedTime", 11);
                                   },
                                   kAllFiles},
                      CriteriaCase{"CreatedInOneDay",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileTime");
                                       c.Check("chkFileCreatedTime");
                                       c.SetValue("txtFileCreatedTime", 1);
                                   },
                                   kAllFiles},
                      // Zero days puts the bound at the start of the search.
                      CriteriaCase{"CreatedInZeroDays",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("gbFileTime");
                                       c.Check("chkFileCreatedTime");
                                   },
                                   {}},
                      CriteriaCase{"UncheckedTimeGroupIgnoresItsBoxes",
                                   [](SearchWindow& w) {
                                       auto& c = static_cast<Criteria&>(w);
                                       c.Check("chkFileModifiedTime");
                                   },
                                   kAllFiles}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(SearchWindow, AtLeastAboveAtMostIsRefusedAndChangesNothing) {
    SearchTree tree;
    tree.File("kept.img");
    Search(tree.Root());
    messages.shown.clear();
    Check("gbFileSize");
    Check("chkFileMinSize");
    SetValue("txtMinSize", 10);
    Check("chkFileMaxSize");
    SetValue("txtMaxSize", 9);

    Click("btnSearch");

    EXPECT_EQ(messages.Texts("error"),
              QStringList{"For file size, at least value must be less than or equal to at most "
                          "value! Please correct the values!"});
    EXPECT_FALSE(form->IsSearching());
    EXPECT_EQ(FoundNames(), QStringList{"kept.img"});
    EXPECT_EQ(Child<QLabel>("labProgress")->text(), "1 file(s) found");
    EXPECT_EQ(Child<QPushButton>("btnSearch")->text(), "&Start Search");
}

// A tree large enough that a walk is still under way when the window
// first hears of it.
class LargeTree : public SearchWindow {
  protected:
    static void SetUpTestSuite() {
        s_tree = std::make_unique<SearchTree>(searchtest::LargeTreeBase());
        for (int i = 0; i < kFolders; ++i) {
            s_tree->File(QString("d%1/x.img").arg(i));
            for (int j = 0; j < 250; ++j)
                ::mkdir(
                    QFile::encodeName(s_tree->Path(QString("d%1/e%2").arg(i).arg(j))).constData(),
                    0755);
        }
    }
    static void TearDownTestSuite() { s_tree.reset(); }

    // Runs `action` once, as soon as the walk reports its first folder.
    void OnFirstFolder(std::function<void()> action) {
        auto done = std::make_shared<bool>(false);
        QObject::connect(form->findChild<TFileSearch*>("lf"), &TFileSearch::OnDirChange, form.get(),
                         [done, action] {
                             if (!*done) {
                                 *done = true;
                                 action();
                             }
                         });
    }
    void StartSearch() {
        LookIn(s_tree->Root());
        Click("btnSearch");
        ASSERT_TRUE(form->IsSearching());
    }

    static constexpr int kFolders = 200;
    static inline std::unique_ptr<SearchTree> s_tree;
};

TEST_F(LargeTree, StopShowsTheCancelText) {
    OnFirstFolder([this] {
        EXPECT_EQ(Child<QPushButton>("btnSearch")->text(), "&Stop Search");
        EXPECT_TRUE(Child<QLabel>("labDir")->text().startsWith("Search in /"));
        EXPECT_TRUE(Child<QTimer>("Timer")->isActive());
        EXPECT_EQ(Child<QTimer>("Timer")->interval(), 60000);
        EXPECT_EQ(Child<QProgressBar>("Gauge")->maximum(), 0) << "the gauge does not run";
        Click("btnSearch");
    });
    StartSearch();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(messages.Texts("information"), QStringList{kCancelled});
    EXPECT_LT(form->fl->topLevelItemCount(), kFolders);
    EXPECT_EQ(Child<QPushButton>("btnSearch")->text(), "&Start Search");
    EXPECT_TRUE(Child<QLabel>("labDir")->text().isEmpty());
    EXPECT_EQ(Child<QProgressBar>("Gauge")->maximum(), 1) << "the gauge still runs";
    EXPECT_FALSE(Child<QTimer>("Timer")->isActive());
}

TEST_F(LargeTree, ClosingAndConfirmingEndsTheSearchWithoutTheCancelText) {
    messages.answers = {Answer::Yes};
    OnFirstFolder([this] { Click("btnClose"); });
    StartSearch();
    ASSERT_TRUE(WaitForEnd());
    QTest::qWait(10);
    EXPECT_EQ(messages.Texts("confirm"), QStringList{kCancelAndClose});
    EXPECT_TRUE(messages.Texts("information").isEmpty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Tag, 0);
}

TEST_F(LargeTree, ClosingAndDecliningLetsTheSearchFinish) {
    messages.answers = {Answer::No};
    OnFirstFolder([this] { form->close(); });
    StartSearch();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(messages.Texts("confirm"), QStringList{kCancelAndClose});
    EXPECT_EQ(messages.Texts("information"), QStringList{kCompleted.arg(kFolders)});
    EXPECT_TRUE(form->isVisible());
}

TEST_F(LargeTree, EscapeDuringASearchAsksToo) {
    messages.answers = {Answer::Yes};
    OnFirstFolder([this] { QTest::keyClick(form.get(), Qt::Key_Escape); });
    StartSearch();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(messages.Texts("confirm"), QStringList{kCancelAndClose});
    EXPECT_FALSE(form->isVisible());
}

TEST_F(LargeTree, DestroyingTheWindowDuringASearchEndsTheWalk) {
    StartSearch();
    form.reset(); // joins the walk; nothing may report to the window afterwards
    QTest::qWait(50);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SearchWindow, NextShowingKeepsResultsAndAddSelectedTakesThem) {
    SearchTree tree;
    const QString image = tree.File("folder/disk.img");
    Search(tree.Root());
    Click("btnClose");
    QTest::qWait(10);
    ASSERT_FALSE(form->isVisible());

    form->Tag = 0;
    form->show();
    EXPECT_EQ(FoundNames(), QStringList{"disk.img"});
    EXPECT_EQ(Child<QLabel>("labProgress")->text(), "1 file(s) found");
    form->fl->topLevelItem(0)->setSelected(true);
    Click("btnAddSelected");
    QTest::qWait(10);

    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Tag, 1);
    EXPECT_EQ(form->SelectedFiles(), QStringList{image});
}

TEST_F(SearchWindow, AddSelectedWithoutASelectionIsAnError) {
    SearchTree tree;
    tree.File("disk.img");
    Search(tree.Root());
    Click("btnAddSelected");
    QTest::qWait(10);
    EXPECT_EQ(messages.Texts("error"),
              QStringList{"Please select the file(s) to be restored from the search results!"});
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Tag, 0);
}

TEST_F(SearchWindow, MultiSelectionShowsTheListButtonsAndTakesRowsInOrder) {
    SearchTree tree;
    tree.File("a.img");
    tree.File("b.img");
    tree.File("c.img");
    Search(tree.Root());

    form->SetMultiSelect(false);
    EXPECT_FALSE(Child<QPushButton>("btnSelectAll")->isVisible());
    EXPECT_FALSE(Child<QPushButton>("btnUnselectAll")->isVisible());
    EXPECT_EQ(Child<QPushButton>("btnAddSelected")->x(), 527);

    form->SetMultiSelect(true);
    EXPECT_TRUE(Child<QPushButton>("btnSelectAll")->isVisible());
    EXPECT_TRUE(Child<QPushButton>("btnUnselectAll")->isVisible());
    EXPECT_EQ(Child<QPushButton>("btnAddSelected")->x(), 307);
    Click("btnSelectAll");
    QStringList inListOrder;
    for (int row = 0; row < form->fl->topLevelItemCount(); ++row)
        inListOrder << tree.Root() + '/' + form->fl->topLevelItem(row)->text(0);
    EXPECT_EQ(form->SelectedFiles(), inListOrder);
    Click("btnUnselectAll");
    EXPECT_TRUE(form->SelectedFiles().isEmpty());
}

TEST_F(SearchWindow, AdvancedOptionsExpandAndCollapse) {
    const int height = form->height();
    Click("btnAdvOptions");
    EXPECT_EQ(Child<QWidget>("palAdvOptions")->height(), 131);
    EXPECT_TRUE(Child<QWidget>("palAdvOptions")->isEnabled());
    EXPECT_EQ(Child<QPushButton>("btnAdvOptions")->text(), "&-");
    EXPECT_EQ(form->height(), height + 131);
    EXPECT_EQ(form->minimumHeight(), 497 + 131);
    Click("btnAdvOptions");
    EXPECT_EQ(Child<QWidget>("palAdvOptions")->height(), 0);
    EXPECT_FALSE(Child<QWidget>("palAdvOptions")->isEnabled());
    EXPECT_EQ(Child<QPushButton>("btnAdvOptions")->text(), "&+");
    EXPECT_EQ(form->height(), height);
    EXPECT_EQ(form->minimumHeight(), 497);
}

TEST_F(SearchWindow, GroupsEnableTheirControlsAndBoxesTheirSpinEdits) {
    Click("btnAdvOptions");
    EXPECT_FALSE(Child<QCheckBox>("chkFileMinSize")->isEnabled());
    Check("gbFileSize");
    EXPECT_TRUE(Child<QCheckBox>("chkFileMinSize")->isEnabled());
    EXPECT_FALSE(Child<QSpinBox>("txtMinSize")->isEnabled());
    Check("chkFileMinSize");
    EXPECT_TRUE(Child<QSpinBox>("txtMinSize")->isEnabled());
    EXPECT_FALSE(Child<QSpinBox>("txtMaxSize")->isEnabled());

    Check("gbFileTime");
    EXPECT_FALSE(Child<QSpinBox>("txtFileModifiedTime")->isEnabled());
    Check("chkFileModifiedTime");
    EXPECT_TRUE(Child<QSpinBox>("txtFileModifiedTime")->isEnabled());
    Check("gbFileTime", false);
    EXPECT_FALSE(Child<QSpinBox>("txtFileModifiedTime")->isEnabled());
    EXPECT_TRUE(Child<QGroupBox>("gbFileTime")->isEnabled());

    Check("gbFileAttr");
    EXPECT_TRUE(Child<QCheckBox>("chkFileSystemAttr")->isEnabled());
}

TEST_F(SearchWindow, SkinsAreAdoptedOnlyOnce) {
    form->SetSkins("QWidget { color: #010203; }", "QWidget { color: #010203; }", "",
                   "QToolTip { color: #040506; }");
    form->SetSkins("QWidget { color: #070809; }", "", "", "");
    EXPECT_TRUE(form->styleSheet().contains("#010203"));
    EXPECT_TRUE(form->styleSheet().contains("#040506"));
    EXPECT_FALSE(form->styleSheet().contains("#070809"));
}

} // namespace
