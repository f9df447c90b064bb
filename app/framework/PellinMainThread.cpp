#include "PellinMainThread.h"

#include "PellinMain.h"

TPellinMainThread::TPellinMainThread(TPellinMainForm* mainForm, const QString& srcFile,
                                     const QString& dstFile)
    : FMainForm(mainForm), FSrcFile(srcFile), FDstFile(dstFile) {
    if (FMainForm)
        FMainForm->GetRepairOptionsStruct(&FOptionsStruct);
}

void TPellinMainThread::run() {
    FSuccessful.store(DoJob(FSrcFile, FDstFile, &FOptionsStruct));
}
