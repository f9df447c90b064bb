// The real message service, not the scripted one: a Yes/No question closed
// without a choice must answer No, so that no disk or image is overwritten.
#include "QtMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct CloseCase {
    const char* name;
    std::function<void(QMessageBox*)> close;
    friend void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.name; }
};

class ClosingAQuestion : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosingAQuestion, AnswersNo) {
    bool closed = false;
    QTimer poll;
    // The box is modal: it is closed from the event loop it runs.
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || closed)
            return;
        closed = true;
        GetParam().close(box);
    });
    poll.start(20);
    QtMessageService messages;

    const auto answer = messages.Confirm(nullptr, "Warning 6: overwrite?");

    EXPECT_TRUE(closed);
    EXPECT_EQ(answer, MessageService::Answer::No);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClosingAQuestion,
    ::testing::Values(CloseCase{"Escape",
                                [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }},
                      CloseCase{"TitleBarClose", [](QMessageBox* box) { box->close(); }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(QtMessageService, YesIsYes) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
    });
    poll.start(20);
    QtMessageService messages;
    EXPECT_EQ(messages.Confirm(nullptr, "Overwrite?"), MessageService::Answer::Yes);
}

} // namespace
