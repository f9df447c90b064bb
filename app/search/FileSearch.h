// The file search behind the search window: walks the start folders on a
// worker thread and reports on the window thread, in batches a few times a
// second, through found and folder-change events; then exactly one of
// finished or cancel, then end.
#pragma once

#include "SearchCriteria.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

struct TFoundFile {
    QString Directory;
    QString FileName;
    uint32_t Attributes = 0;
    int64_t FileSize = 0;
    QDateTime CreateDate;
    QDateTime LastAccess;
    QDateTime LastModified;
};

class TFileSearch : public QObject {
    Q_OBJECT
  public:
    explicit TFileSearch(QObject* parent = nullptr);
    ~TFileSearch() override;

    // Start folders separated by ";"; blanks around entries are ignored and
    // empty entries skipped.
    QString Dirs;
    QString FileMasks = QStringLiteral("*");
    bool RecurseSubDirs = true;
    TSearchCriteria Criteria;
    // File systems not entered below the start folders (device numbers).
    std::vector<uint64_t> SkippedFileSystems;

    // Starts a walk with the settings above; returns at once.
    void Execute();
    bool IsRunning() const { return m_running; }
    // Asks a running walk to end; cancel and end follow on the window thread.
    void Cancel();
    // Ends a running walk and delivers its last events before it returns.
    void CancelAndWait();

    static QStringList SplitDirs(const QString& dirs);

  signals:
    void OnFound(const TFoundFile& file);
    void OnDirChange(const QString& name);
    void OnFinished();
    void OnCancel();
    void OnEnd();

  private:
    class Worker;
    void Deliver();

    std::shared_ptr<Worker> m_worker;
    std::thread m_thread;
    bool m_running = false;
};
