// Names for files that the program downloads into the temporary folder.
#pragma once

#include <QString>

// The first "<folder>File<n><ext>" (n = 0, 1, 2, ...) that names nothing
// yet, in the user's temporary folder; empty text when every n is taken.
// The file is not created.
QString GetUniqueTempFileName(const QString& ext);
// The same in `folder`, which ends with its path delimiter.
QString GetUniqueTempFileName(const QString& ext, const QString& folder);
