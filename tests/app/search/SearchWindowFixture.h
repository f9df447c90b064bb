// The real search window with scripted message boxes, and a tree of its own
// to search.
#pragma once

#include "QtPrinters.h"
#include "ScriptedMessageService.h"
#include "SearchFrm.h"
#include "SearchTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <memory>

class SearchWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TSearchForm>(messages);
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
    void LookIn(const QString& folders) { Child<QComboBox>("cmbDirectory")->setEditText(folders); }
    // Waits until the search has ended; false when it did not in time.
    bool WaitForEnd(int timeoutMs = 20000) {
        return QTest::qWaitFor([this] { return !form->IsSearching(); }, timeoutMs);
    }
    // Starts a search of `folders` and waits for its end.
    void Search(const QString& folders) {
        LookIn(folders);
        Click("btnSearch");
        ASSERT_TRUE(form->IsSearching());
        ASSERT_TRUE(WaitForEnd());
    }
    // The rows' names, sorted.
    QStringList FoundNames() const {
        QStringList names;
        for (int row = 0; row < form->fl->topLevelItemCount(); ++row)
            names << form->fl->topLevelItem(row)->text(0);
        names.sort();
        return names;
    }
    void Check(const char* name, bool checked = true) {
        if (auto* group = form->findChild<QGroupBox*>(name))
            group->setChecked(checked);
        else
            Child<QCheckBox>(name)->setChecked(checked);
        form->SetAdvOptControls();
    }
    void SetValue(const char* spin, int value) { Child<QSpinBox>(spin)->setValue(value); }

    ScriptedMessageService messages;
    std::unique_ptr<TSearchForm> form;
};
