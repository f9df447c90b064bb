#include "FileSearch.h"

#include "host/WalkPath.h"

#include <QDir>
#include <QMetaObject>

#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;
// How often the window hears of the walk's progress.
constexpr auto kDeliveryInterval = std::chrono::milliseconds(50);
constexpr size_t kMaxBatch = 1000;

QDateTime ToDateTime(std::chrono::system_clock::time_point time) {
    return QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count());
}

TFoundFile ToFoundFile(host::WalkedFile&& file) {
    TFoundFile found;
    found.Directory = host::FromWalkPath(file.directory);
    found.FileName = host::FromWalkPath(file.name);
    found.Attributes = file.attributes;
    found.FileSize = file.size;
    found.CreateDate = ToDateTime(file.created);
    found.LastAccess = ToDateTime(file.accessed);
    found.LastModified = ToDateTime(file.modified);
    return found;
}

} // namespace

// Runs on the walking thread; hands what it found to the window thread
// through a mutex-guarded mailbox and one posted delivery at a time.
class TFileSearch::Worker : public host::WalkListener {
  public:
    struct Mail {
        std::vector<host::WalkedFile> found;
        std::string folder;
        bool ended = false;
        bool completed = false;
    };

    Worker(TFileSearch* owner, TSearchCriteria criteria)
        : m_owner(owner), m_criteria(std::move(criteria)) {}

    void Run(const host::WalkRequest& request) {
        const bool completed = host::WalkFolders(request, *this);
        std::lock_guard lock(m_mutex);
        MoveBatchToMail();
        m_mail.ended = true;
        m_mail.completed = completed && !m_stop;
        PostDelivery();
    }

    bool StopRequested() override { return m_stop.load(std::memory_order_relaxed); }

    void FolderEntered(const std::string& path) override {
        m_folder = path;
        MaybeDeliver();
    }

    void FileFound(host::WalkedFile&& file) override {
        if (m_criteria.Matches(file))
            m_batch.push_back(std::move(file));
        if (m_batch.size() >= kMaxBatch)
            MaybeDeliver();
    }

    Mail TakeMail() {
        std::lock_guard lock(m_mutex);
        m_posted = false;
        Mail mail = std::move(m_mail);
        m_mail = Mail{};
        return mail;
    }

    std::atomic<bool> m_stop{false};

  private:
    void MaybeDeliver() {
        const auto now = Clock::now();
        if (now - m_lastDelivery < kDeliveryInterval && m_batch.size() < kMaxBatch)
            return;
        m_lastDelivery = now;
        std::lock_guard lock(m_mutex);
        MoveBatchToMail();
        PostDelivery();
    }

    // With the mutex held.
    void MoveBatchToMail() {
        for (host::WalkedFile& file : m_batch)
            m_mail.found.push_back(std::move(file));
        m_batch.clear();
        m_mail.folder = m_folder;
    }

    // With the mutex held. The owner outlives the walk: it joins the thread.
    void PostDelivery() {
        if (m_posted)
            return;
        m_posted = true;
        QMetaObject::invokeMethod(m_owner, &TFileSearch::Deliver, Qt::QueuedConnection);
    }

    TFileSearch* m_owner;
    TSearchCriteria m_criteria;
    std::vector<host::WalkedFile> m_batch;
    std::string m_folder;
    Clock::time_point m_lastDelivery{}; // the first folder is shown at once

    std::mutex m_mutex;
    Mail m_mail;
    bool m_posted = false;
};

TFileSearch::TFileSearch(QObject* parent) : QObject(parent) {}

TFileSearch::~TFileSearch() {
    if (m_worker)
        m_worker->m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

QStringList TFileSearch::SplitDirs(const QString& dirs) {
    QStringList entries;
    for (const QString& entry : dirs.split(u';')) {
        const QString trimmed = entry.trimmed();
        if (!trimmed.isEmpty())
            entries << trimmed;
    }
    return entries;
}

void TFileSearch::Execute() {
    if (m_running)
        return;
    host::WalkRequest request;
    for (const QString& dir : SplitDirs(Dirs))
        request.roots.push_back(host::ToWalkPath(dir));
    request.recurse = RecurseSubDirs;
    request.mask = TNameMask(FileMasks.toStdString());
    request.skippedFileSystems = SkippedFileSystems;
    request.homeFolder = host::ToWalkPath(QDir(QDir::homePath()).canonicalPath());

    m_worker = std::make_shared<Worker>(this, Criteria);
    m_running = true;
    m_thread =
        std::thread([worker = m_worker, request = std::move(request)] { worker->Run(request); });
}

void TFileSearch::Cancel() {
    if (m_running)
        m_worker->m_stop = true;
}

void TFileSearch::CancelAndWait() {
    if (!m_running)
        return;
    m_worker->m_stop = true;
    m_thread.join();
    Deliver();
}

// On the window thread: the found files, the folder being walked and, at
// the end, how it ended.
void TFileSearch::Deliver() {
    if (!m_running)
        return;
    Worker::Mail mail = m_worker->TakeMail();
    for (host::WalkedFile& file : mail.found)
        emit OnFound(ToFoundFile(std::move(file)));
    if (!mail.ended && !mail.folder.empty())
        emit OnDirChange(host::FromWalkPath(mail.folder));
    if (!mail.ended)
        return;
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
    m_worker.reset();
    if (mail.completed)
        emit OnFinished();
    else
        emit OnCancel();
    emit OnEnd();
}
