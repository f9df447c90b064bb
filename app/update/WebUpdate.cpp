#include "WebUpdate.h"

#include "DownloadFrm.h"
#include "IniFile.h"
#include "InstallerFile.h"
#include "MessageService.h"
#include "NewVersionFrm.h"
#include "TextFile.h"
#include "UrlDownload.h"
#include "VersionNumber.h"
#include "host/InstallerLaunch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace update_text;

namespace {

// The update information and the what's-new text are small; a server that
// sends more is not one to trust with the temporary folder.
constexpr qint64 kMaxCheckFileBytes = 1 << 20;

// A new, empty, uniquely named file in the user's temporary folder, removed
// when it goes; nothing when the folder refuses it.
std::unique_ptr<QTemporaryFile> NewTempFile() {
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/tmpXXXXXX"));
    if (!file->open())
        return nullptr;
    file->close();
    return file;
}

// The installer keeps the extension of the file it is downloaded from.
QString InstallerExt(const QUrl& url) {
    const QString suffix = QFileInfo(url.fileName()).suffix();
    return suffix.isEmpty() ? QString() : u'.' + suffix;
}

} // namespace

TWebUpdate::TWebUpdate(QWidget* owner, MessageService& messages, const QUrl& updateUrl)
    : FOwner(owner), FMessages(messages), FUpdateUrl(updateUrl),
      FProgramFile(QCoreApplication::applicationFilePath()) {}

TWebUpdate::~TWebUpdate() = default;

void TWebUpdate::CheckUpdate() {
    const std::unique_ptr<QTemporaryFile> info = NewTempFile();
    if (!info || !DownloadFile(FUpdateUrl, info->fileName()))
        return;
    const TIniFile ini(info->fileName());
    QString newVerStr;
    if (!IsNewVersionAvailable(ini, newVerStr) || FCancelled)
        return;
    if (ShowNewVersion(ini, newVerStr) == QDialog::Accepted)
        DownloadAndInstall(ini);
}

void TWebUpdate::Cancel() {
    FCancelled = true;
    if (FTransfer)
        FTransfer->Abort();
}

bool TWebUpdate::DownloadFile(const QUrl& url, const QString& fileName) {
    QFile file(fileName);
    if (FCancelled || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    TUrlDownload transfer;
    FTransfer = &transfer;
    const bool ok = transfer.Run(
        url, file, {FTimeoutMsecs, TUrlDownload::TimeoutKind::WholeRequest, kMaxCheckFileBytes});
    FTransfer = nullptr;
    file.close();
    return ok && file.error() == QFileDevice::NoError && !FCancelled;
}

uint64_t TWebUpdate::GetFileVersion(const QString& fileName) {
    return FileVersionNumber(fileName);
}

uint64_t TWebUpdate::ParseVersion(const QString& text) {
    return ParseVersionText(text);
}

bool TWebUpdate::IsNewVersionAvailable(const TIniFile& ini, QString& newVerStr) const {
    newVerStr = ini.ReadString(QStringLiteral("update"), QStringLiteral("newversion"));
    if (newVerStr.isEmpty())
        return false;
    const uint64_t current = GetFileVersion(FProgramFile);
    const uint64_t announced = ParseVersion(newVerStr);
    return current != 0 && announced != 0 && announced > current;
}

void TWebUpdate::DownloadWhatsNew(const TIniFile& ini, std::unique_ptr<QTemporaryFile>& file) {
    file.reset();
    const QString address = ini.ReadString(QStringLiteral("whatsnew"), QStringLiteral("file"));
    if (address.isEmpty())
        return;
    std::unique_ptr<QTemporaryFile> candidate = NewTempFile();
    if (candidate && DownloadFile(QUrl(address), candidate->fileName()))
        file = std::move(candidate);
}

int TWebUpdate::ShowNewVersion(const TIniFile& ini, const QString& newVerStr) {
    TNewVersionForm form(FOwner, newVerStr);
    std::unique_ptr<QTemporaryFile> whatsNew;
    DownloadWhatsNew(ini, whatsNew);
    if (FCancelled)
        return QDialog::Rejected;
    form.LoadWhatsNew(whatsNew ? ReadTextFile(whatsNew->fileName()) : QString());
    FMessages.ShowModal(&form);
    return form.result();
}

void TWebUpdate::DownloadAndInstall(const TIniFile& ini) {
    const QString address = ini.ReadString(QStringLiteral("update"), QStringLiteral("file"));
    const QUrl url(address);
    TInstallerFile target;
    // Only an https address is fetched, and only into a file made afresh.
    if (!TUrlDownload::IsSecureUrl(url) || !target.Create(InstallerExt(url)) ||
        !DownloadWithProgress(url, target)) {
        FMessages.Error(FOwner, QObject::tr(kDownloadFailed));
        return;
    }
    if (FMessages.Confirm(FOwner, QObject::tr(kAskInstall)) != MessageService::Answer::Yes)
        return;
    if (!host::LaunchInstaller(target.FileName())) {
        FMessages.Error(FOwner, QObject::tr(kCannotLaunch));
        return;
    }
    // The program ends once the open windows have returned.
    QCoreApplication::quit();
}

bool TWebUpdate::DownloadWithProgress(const QUrl& url, TInstallerFile& target) {
    bool succeeded = false;
    {
        TDownloadForm form(FOwner, FMessages, url, target.Device(), FTimeoutMsecs);
        FMessages.ShowModal(&form);
        succeeded = form.IsSuccess();
    }
    if (succeeded && target.Close())
        return true;
    target.Discard();
    return false;
}
