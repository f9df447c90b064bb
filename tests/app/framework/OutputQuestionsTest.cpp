// The questions before an output is written, as the window and the command
// line both ask them: which are asked, in which order, and what a No stops.
#include "OutputQuestions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Answers the questions from a list and records what was asked.
struct Recorder {
    explicit Recorder(QStringList givenAnswers = {}) : answers(std::move(givenAnswers)) {}

    QStringList answers; // "yes" or "no", in the order of the questions
    QStringList asked;
    QStringList errors;

    OutputQuestions Questions() {
        return OutputQuestions{[this](const QString& question) {
                                   asked << question.left(9);
                                   return answers.value(asked.size() - 1) != "no";
                               },
                               [this](const QString& text) { errors << text; },
                               [](const QString& output) { return QFileInfo(output).isFile(); }};
    }
};

class OutputQuestionsTest : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    void Touch(const QString& name) const {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_dir;
};

TEST_F(OutputQuestionsTest, AsksOnlyWhatAppliesInItsOrder) {
    Touch("old.img");
    struct Case {
        QString output;
        bool validExtension;
        QStringList expected;
    };
    const Case cases[] = {
        {Path("new.img"), true, {}},
        {Path("old.img"), true, {"Warning 1"}},
        {Path("new.bin"), false, {"Warning 2"}},
        {Path("a/b/new.bin"), false, {"Warning 2", "Warning 4"}},
    };
    for (const Case& c : cases) {
        Recorder recorder;
        EXPECT_TRUE(AskOutputQuestions(c.output, c.validExtension, recorder.Questions()));
        EXPECT_EQ(recorder.asked, c.expected) << c.output.toStdString();
    }
    EXPECT_TRUE(QFileInfo(Path("a/b")).isDir());
}

TEST_F(OutputQuestionsTest, ANoStopsAtThatQuestionAndChangesNothing) {
    Recorder atExtension({"no"});
    EXPECT_FALSE(AskOutputQuestions(Path("x/new.bin"), false, atExtension.Questions()));
    EXPECT_EQ(atExtension.asked, QStringList{"Warning 2"});

    Recorder atFolder({"yes", "no"});
    EXPECT_FALSE(AskOutputQuestions(Path("x/new.bin"), false, atFolder.Questions()));
    EXPECT_EQ(atFolder.asked, (QStringList{"Warning 2", "Warning 4"}));
    EXPECT_FALSE(QFileInfo::exists(Path("x")));

    Touch("old.img");
    Recorder atFile({"no"});
    EXPECT_FALSE(AskOutputQuestions(Path("old.img"), true, atFile.Questions()));
    EXPECT_EQ(atFile.asked, QStringList{"Warning 1"});
}

TEST_F(OutputQuestionsTest, AFileWhereTheFolderShouldBeCannotBecomeOne) {
    Touch("blocker");
    Recorder recorder;
    EXPECT_FALSE(AskOutputQuestions(Path("blocker/new.img"), true, recorder.Questions()));
    EXPECT_EQ(recorder.asked, QStringList{"Warning 4"});
    EXPECT_EQ(recorder.errors,
              QStringList{"Cannot create the directory '" + Path("blocker") + "'!"});
    EXPECT_TRUE(QFileInfo(Path("blocker")).isFile());
}

} // namespace
