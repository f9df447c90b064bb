// Text files that come from the network: a byte-order mark selects UTF-8 or
// UTF-16, anything else is read in the system's encoding.
#pragma once

#include <QByteArray>
#include <QString>

QString DecodeText(const QByteArray& bytes);
// The decoded text of a file; empty text when it cannot be read.
QString ReadTextFile(const QString& fileName);
