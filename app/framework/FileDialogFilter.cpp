#include "FileDialogFilter.h"

QString GetFilterExt(const QString& filter, int index) {
    const QStringList parts = filter.split(u'|');
    const qsizetype patternAt = qsizetype{2} * index - 1;
    if (index < 1 || patternAt >= parts.size())
        return {};
    const QString pattern = parts[patternAt].section(u';', 0, 0);
    // The extension belongs to the file-name part: a dot in a folder is none.
    const qsizetype dot = pattern.lastIndexOf(u'.');
    if (dot < 0 || dot < pattern.lastIndexOf(u'/') || dot < pattern.lastIndexOf(u'\\'))
        return {};
    return pattern.mid(dot + 1);
}

QStringList GetFilterNames(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        names << parts[i];
    return names;
}
