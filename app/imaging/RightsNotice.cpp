#include "RightsNotice.h"

#include "PellinMain.h"
#include "SpecConsts.h"

#include <QCoreApplication>
#include <cstdio>

void NoteMissingAdministratorRights(TPellinMainForm& form) {
    const QString notice = QCoreApplication::translate("TMainForm", kNoAdministratorRights);
    form.AppendLog(notice);
    std::fprintf(stderr, "%s\n", qPrintable(notice));
}
