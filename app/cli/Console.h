// What tolvane-cli says: results on standard output, errors and questions on
// standard error, and with --json one JSON object per line on standard
// output instead of the texts.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

class Console {
  public:
    Console(bool json, bool yes);

    bool Json() const { return m_json; }
    // A result line for the user; not written with --json.
    void Say(const QString& text) const;
    // An error, always on standard error; kept for the result object.
    void Error(const QString& text);
    const QStringList& Errors() const { return m_errors; }
    // A Yes/No question: --yes answers Yes; otherwise the terminal on
    // standard input is asked, and without one the answer is No.
    bool Ask(const QString& question) const;
    // One JSON object as one line on standard output.
    void Emit(const QJsonObject& object) const;
    // Text on standard error as it is, for the progress line.
    void Status(const QString& text) const;

  private:
    bool m_json;
    bool m_yes;
    QStringList m_errors;
};
