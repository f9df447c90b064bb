// An existing file is a regular file, never a folder: what the window does
// when a folder stands where a file is expected, and a file where a folder is.
#include "CloneWindowFixture.h"

#include "LogText.h"

#include <QDir>

namespace {

using Answer = MessageService::Answer;

class FileKinds : public CloneWindow {};

TEST_F(FileKinds, FolderAsOutputAsksNoOverwriteQuestion) {
    ASSERT_TRUE(QDir().mkpath(Path("taken.img")));
    SetSource("Hard disk 99");
    SetOutput(Path("taken.img"));

    Click("btnRepair");

    EXPECT_TRUE(messages.Texts("confirm").isEmpty());
    // The name is no drive of the list, so the run fails without a job.
    EXPECT_EQ(messages.Texts("information"), QStringList{"Fail to clone 'Hard disk 99'!"});
    EXPECT_TRUE(QFileInfo(Path("taken.img")).isDir());
}

TEST_F(FileKinds, FileWhereTheOutputFolderShouldBeCannotBecomeOne) {
    WriteFile(Path("blocker"), "keep");
    SetSource("Hard disk 99");
    SetOutput(Path("blocker/image.img"));
    messages.answers = {Answer::Yes};

    Click("btnRepair");

    EXPECT_EQ(messages.Texts("confirm"),
              QStringList{"Warning 4: The path '" + Path("blocker") +
                          "' for destination file 'image.img' does not exist. Create it?"});
    EXPECT_EQ(messages.Texts("error"),
              QStringList{"Cannot create the directory '" + Path("blocker") + "'!"});
    EXPECT_TRUE(messages.Texts("information").isEmpty());
    EXPECT_EQ(form->LogLines().last(), "Abort cloning 'Hard disk 99'.");
    EXPECT_EQ(ReadFile(Path("blocker")), "keep");
    EXPECT_EQ(Child<QPushButton>("btnRepair")->text(), "&Start Cloning");
}

TEST_F(FileKinds, FolderOnTheCommandLineCannotBeOpened) {
    ASSERT_TRUE(QDir().mkpath(Path("folder.img")));

    EXPECT_FALSE(form->RunCommandLine({Path("folder.img")}));

    EXPECT_EQ(messages.Texts("error"),
              QStringList{"Cannot open file '" + Path("folder.img") + "'!"});
    EXPECT_TRUE(messages.Texts("information").isEmpty()); // no run was started
    EXPECT_TRUE(form->LogLines().isEmpty());
}

} // namespace
