// Reading the file dialogs' filter texts ("name|pattern|name|pattern").
#pragma once

#include <QString>
#include <QStringList>

// The extension, without its dot, of the first pattern of filter entry
// `index` (1-based): "img" for "*.img", "*" for "*.*". Empty text when there
// is no such entry or its pattern has no extension.
QString GetFilterExt(const QString& filter, int index);

// The entry names of the filter, as a file dialog lists them.
QStringList GetFilterNames(const QString& filter);
