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
