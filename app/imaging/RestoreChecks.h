// What must hold before a restore may start, asked in this order by every
// front end (the window and the command line), so that all of them refuse
// the same inputs with the same texts.
#pragma once

#include <QString>

// The image file exists: a regular file under the path as typed (a folder
// or a device node is no image file).
bool ImageFileExists(const QString& imageFile);

// The refusal of a restore's inputs, or empty text when it may start:
// no image named, no such image file, no target chosen.
QString RestoreInputRefusal(const QString& imageFile, const QString& target);

// The question every restore asks before the target is overwritten; only
// the answer Yes lets it go on.
QString RestoreOverwriteQuestion();
