#include "LogText.h"

QString StripHtmlTags(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
    for (qsizetype open = plain.indexOf(u'<'); open >= 0; open = plain.indexOf(u'<')) {
        const qsizetype close = plain.indexOf(u'>', open);
        if (close < 0)
            break;
        plain.remove(open, close - open + 1);
    }
    return plain;
}
