// The worker thread of one job. It takes a snapshot of the job options when
// it is created, runs the job once and keeps its result; a stop request only
// sets its terminate flag, which the job polls.
#pragma once

#include "vorlik/JobRecord.h"

#include <QString>
#include <QThread>
#include <atomic>
#include <cstdint>

class TPellinMainForm;

class TPellinMainThread : public QThread {
  public:
    TPellinMainThread(TPellinMainForm* mainForm, const QString& srcFile, const QString& dstFile);

    // The job's result; non-zero is success. Read once the thread has ended.
    int32_t IsSuccessful() const { return FSuccessful.load(); }
    // Asks the running job to stop; it sees the request at its next poll.
    void Terminate() { FTerminated.store(true); }
    bool Terminated() const { return FTerminated.load(); }
    TPellinMainForm* MainForm() const { return FMainForm; }

  protected:
    virtual int32_t DoJob(const QString& srcFile, const QString& dstFile,
                          const TOptionsStruct* options) = 0;
    void run() override;

  private:
    TPellinMainForm* FMainForm;
    QString FSrcFile;
    QString FDstFile;
    TOptionsStruct FOptionsStruct{};
    std::atomic<int32_t> FSuccessful{0};
    std::atomic<bool> FTerminated{false};
};
