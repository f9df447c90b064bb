// The update windows against a real HTTPS server that the test starts, with
// the temporary and cache folders of the test's own and message boxes
// answered from a script. Windows of the program's own run modally for real.
#pragma once

#include "CheckUpdateFrm.h"
#include "NewVersionFrm.h"
#include "QtPrinters.h"
#include "ScriptedMessageService.h"
#include "TestHttpsServer.h"
#include "WebUpdate.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace updatetest {

class ModalMessages : public ScriptedMessageService {
  public:
    // Called with each window of the program's own before it runs.
    std::function<void(QDialog*)> onModal;
    // The object names of those windows, in order.
    QStringList windows;
    // Whether the new-version window is answered Yes.
    bool upgrade = false;
    QString newVersionPrompt;
    QString whatsNew;

    void ShowModal(QDialog* dialog) override {
        windows << dialog->objectName();
        if (dialog->objectName() == "NewVersionForm")
            AnswerNewVersion(dialog);
        if (onModal)
            onModal(dialog);
        dialog->exec();
    }

  private:
    void AnswerNewVersion(QDialog* dialog) {
        newVersionPrompt = dialog->findChild<QLabel*>("labNewVersionPrompt")->text();
        whatsNew = dialog->findChild<QPlainTextEdit*>("txtWhatsNew")->toPlainText();
        QPushButton* button = dialog->findChild<QPushButton*>(upgrade ? "btnYes" : "btnClose");
        QTimer::singleShot(0, button, &QPushButton::click);
    }
};

// Points an environment variable elsewhere for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : FName(name), FHad(qEnvironmentVariableIsSet(name)), FOld(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (FHad)
            qputenv(FName, FOld);
        else
            qunsetenv(FName);
    }

  private:
    const char* FName;
    bool FHad;
    QByteArray FOld;
};

class UpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!TrustedCertificate().IsValid() || !UntrustedCertificate().IsValid())
            GTEST_SKIP() << "openssl could not make a test certificate";
        TrustTestAuthority();
        ASSERT_TRUE(m_temp.isValid() && m_cache.isValid());
        ASSERT_TRUE(server.Listen());
    }

    // Runs the whole check as the main window does, against this server.
    void RunCheck(const QString& infoPath, int timeoutMsecs = 5000) {
        TCheckUpdateForm form(nullptr, messages, server.Url(infoPath));
        form.WebUpdate()->SetTimeout(timeoutMsecs);
        messages.ShowModal(&form);
    }

    // What is left in the temporary folder.
    QStringList TempEntries() const {
        return QDir(m_temp.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    QString CacheHome() const { return m_cache.path(); }

    ModalMessages messages;
    TestHttpsServer server{TrustedCertificate()};

  private:
    QTemporaryDir m_temp;
    QTemporaryDir m_cache;
    ScopedEnv m_tmpdir{"TMPDIR", QFile::encodeName(m_temp.path())};
    ScopedEnv m_cacheHome{"XDG_CACHE_HOME", QFile::encodeName(m_cache.path())};
};

} // namespace updatetest
