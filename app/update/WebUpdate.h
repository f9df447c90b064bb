// The update checker: fetches the update information, compares the version
// it announces with the running program's, shows what is new and, when the
// user agrees, downloads the installer and starts it.
#pragma once

#include "UpdateConsts.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <memory>

class MessageService;
class QTemporaryFile;
class QWidget;
class TIniFile;
class TInstallerFile;
class TUrlDownload;

class TWebUpdate : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDefaultTimeoutMsecs = 30000;

    TWebUpdate(QWidget* owner, MessageService& messages,
               const QUrl& updateUrl = QUrl(update_text::kUpdateInfoUrl));
    ~TWebUpdate() override;

    // The whole check; every failure on the way ends it silently.
    void CheckUpdate();
    // Ends the check at once, silently: a running transfer fails.
    void Cancel();

    // Fetches url fresh into the file; true only when all of it arrived.
    bool DownloadFile(const QUrl& url, const QString& fileName);
    static uint64_t GetFileVersion(const QString& fileName);
    static uint64_t ParseVersion(const QString& text);
    bool IsNewVersionAvailable(const TIniFile& ini, QString& newVerStr) const;
    // The what's-new text in a temporary file, or nothing.
    void DownloadWhatsNew(const TIniFile& ini, std::unique_ptr<QTemporaryFile>& file);
    // The new-version window's answer: QDialog::Accepted for Yes.
    int ShowNewVersion(const TIniFile& ini, const QString& newVerStr);
    void DownloadAndInstall(const TIniFile& ini);
    bool DownloadWithProgress(const QUrl& url, TInstallerFile& target);

    QUrl UpdateUrl() const { return FUpdateUrl; }
    void SetUpdateUrl(const QUrl& url) { FUpdateUrl = url; }
    // How long a request may take (the installer: may stay silent).
    void SetTimeout(int msecs) { FTimeoutMsecs = msecs; }
    int Timeout() const { return FTimeoutMsecs; }
    // The program whose version counts as the running one.
    void SetProgramFile(const QString& fileName) { FProgramFile = fileName; }

  private:
    QWidget* FOwner;
    MessageService& FMessages;
    QUrl FUpdateUrl;
    QString FProgramFile;
    int FTimeoutMsecs = kDefaultTimeoutMsecs;
    bool FCancelled = false;
    QPointer<TUrlDownload> FTransfer; // the check's running request
};
