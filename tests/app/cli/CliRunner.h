// Runs the built tolvane-cli as a user's shell would: arguments, standard
// input, and its exit status, standard output and standard error.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <ostream>
#include <string>

// Qt texts in failure messages.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

namespace clitest {

struct CliRun {
    int status = -1; // the exit status; -1 when the program crashed or hung
    QString out;
    QString err;
    // The JSON lines of standard output, in order.
    QList<QJsonObject> JsonLines() const;
    // The last JSON line: the result object of a --json run.
    const QJsonObject Result() const;
};

// Standard input is `input`, then closed: no terminal to ask questions on.
CliRun RunCli(const QStringList& arguments, const QByteArray& input = {});

QString Q(const std::string& text);
QString Q(const std::filesystem::path& path);

// The SHA-256 of a file or device's bytes, as sha256sum prints it.
QString Sha256Of(const std::string& path);

// The first `size` bytes of a file or device equal those of another.
bool SameBytes(const std::string& a, const std::string& b, uint64_t size);

} // namespace clitest
