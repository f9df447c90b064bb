#include "CliRunner.h"

#include "Command.h"

#include <QJsonDocument>

#include <fstream>
#include <vector>

namespace clitest {

QList<QJsonObject> CliRun::JsonLines() const {
    QList<QJsonObject> lines;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts))
        lines << QJsonDocument::fromJson(line.toUtf8()).object();
    return lines;
}

const QJsonObject CliRun::Result() const {
    const QList<QJsonObject> lines = JsonLines();
    return lines.isEmpty() ? QJsonObject() : lines.last();
}

CliRun RunCli(const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.start(QStringLiteral(TOLVANE_CLI_PROGRAM), arguments);
    CliRun run;
    if (!process.waitForStarted(10000))
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    return run;
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

QString Sha256Of(const std::string& path) {
    const std::string line = testsupport::MustRun("sha256sum " + testsupport::Quote(path));
    return Q(line.substr(0, line.find(' ')));
}

bool SameBytes(const std::string& a, const std::string& b, uint64_t size) {
    std::ifstream inA(a, std::ios::binary), inB(b, std::ios::binary);
    std::vector<char> bufA(1 << 20), bufB(1 << 20);
    for (uint64_t done = 0; done < size;) {
        const auto n = static_cast<std::streamsize>(std::min<uint64_t>(bufA.size(), size - done));
        if (!inA.read(bufA.data(), n) || !inB.read(bufB.data(), n))
            return false;
        if (!std::equal(bufA.begin(), bufA.begin() + n, bufB.begin()))
            return false;
        done += static_cast<uint64_t>(n);
    }
    return true;
}

} // namespace clitest
