// The product's checks of a Clone run's output, shared by the window and
// the command line.
#pragma once

#include <QString>

// True when the output file's extension is one of the image extensions,
// compared without regard to case.
bool HasImageExtension(const QString& dstFile);

// True when the output would be stored on the source it images: on the
// source volume itself or, for a whole-disk source, on any of its volumes,
// since the image would be read back into itself.
bool IsOutputOnSource(const QString& srcDevice, const QString& dstFile);

// Why the output cannot take an image at all: it names a drive or disk (a
// block device, or a link to one), which only Restore writes onto. Empty
// when it can; character devices such as /dev/null take an image as a file.
QString OutputRefusal(const QString& dstFile);
