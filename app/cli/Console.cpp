#include "Console.h"

#include <QJsonDocument>

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

void Write(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

Console::Console(bool json, bool yes) : m_json(json), m_yes(yes) {}

void Console::Say(const QString& text) const {
    if (!m_json)
        Write(stdout, text + u'\n');
}

void Console::Error(const QString& text) {
    m_errors << text;
    Write(stderr, text + u'\n');
}

bool Console::Ask(const QString& question) const {
    if (m_yes) {
        Write(stderr, question + QStringLiteral(" yes (--yes)\n"));
        return true;
    }
    if (::isatty(STDIN_FILENO) == 0) {
        Write(stderr, question + QStringLiteral(" no (no terminal to ask; --yes answers Yes)\n"));
        return false;
    }
    Write(stderr, question + QStringLiteral(" [y/N] "));
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    const QString word = QString::fromLocal8Bit(answer).trimmed().toLower();
    return word == QStringLiteral("y") || word == QStringLiteral("yes");
}

void Console::Emit(const QJsonObject& object) const {
    Write(stdout, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) + u'\n');
}

void Console::Status(const QString& text) const {
    Write(stderr, text);
}
