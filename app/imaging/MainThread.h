// The product's worker thread: runs one job in the engine.
#pragma once

#include "PellinMainThread.h"

class TMainThread : public TPellinMainThread {
  public:
    using TPellinMainThread::TPellinMainThread;

  protected:
    int32_t DoJob(const QString& srcFile, const QString& dstFile,
                  const TOptionsStruct* options) override;
};

// The engine's callback: answers the stop question from the thread's
// terminate flag and hands every other message to the main window.
int32_t VORLIK_CALL MainThreadCallback(uintptr_t msg, uintptr_t data, uintptr_t context);
