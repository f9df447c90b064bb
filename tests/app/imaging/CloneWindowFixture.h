// The real main window with scripted message boxes, a config folder and a
// work folder of its own.
#pragma once

#include "DragEdit.h"
#include "MainFrm.h"
#include "ScriptedMessageService.h"
#include "TempConfigFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class CloneWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_work.isValid());
        form = std::make_unique<TMainForm>(messages);
        // These tests are about the windows, not the update check.
        form->findChild<QCheckBox*>("chkAutoUpdate")->setChecked(false);
        form->show();
    }

    template <typename T> T* Child(const char* name) const {
        T* child = form->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << "no " << name;
        return child;
    }

    void Click(const char* button) {
        QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton);
    }
    void SetSource(const QString& text) { Child<TDragEdit>("txtSrcFile")->setText(text); }
    void SetOutput(const QString& path) { Child<QLineEdit>("txtDstFile")->setText(path); }
    QString Path(const QString& relative) const { return m_work.filePath(relative); }

    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    apptest::TempConfigFolder config;
    ScriptedMessageService messages;
    std::unique_ptr<TMainForm> form;

  private:
    QTemporaryDir m_work;
};
