#include "MainThread.h"

#include "CallEngineJob.h"
#include "PellinMain.h"

int32_t TMainThread::DoJob(const QString& srcFile, const QString& dstFile,
                           const TOptionsStruct* options) {
    TPellinMainThread* self = this; // the callback finds the thread through it
    const std::u16string source = srcFile.toStdU16String();
    const std::u16string destination = dstFile.toStdU16String();
    return CallEngineJob(source.c_str(), options, destination.c_str(), &MainThreadCallback,
                         reinterpret_cast<uintptr_t>(&self));
}

int32_t VORLIK_CALL MainThreadCallback(uintptr_t msg, uintptr_t data, uintptr_t context) {
    TPellinMainThread* thread = *reinterpret_cast<TPellinMainThread**>(context);
    if (msg == JOBMSG_QUERY_ABORT)
        return thread->Terminated() ? -1 : 0;
    if (TPellinMainForm* form = thread->MainForm())
        form->SendEngineMessage(msg, data);
    return 0;
}
