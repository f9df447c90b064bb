#include "TextFile.h"

#include <QFile>
#include <QStringDecoder>

QString DecodeText(const QByteArray& bytes) {
    const auto marked = QStringConverter::encodingForData(bytes);
    const bool hasMark =
        marked && (*marked == QStringConverter::Utf8 || *marked == QStringConverter::Utf16LE ||
                   *marked == QStringConverter::Utf16BE);
    QStringDecoder decoder(hasMark ? *marked : QStringConverter::System);
    return decoder.decode(bytes);
}

QString ReadTextFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeText(file.readAll());
}
