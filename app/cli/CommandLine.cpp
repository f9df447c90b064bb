#include "CommandLine.h"

#include <QHash>

namespace {

struct CommandSpec {
    CliCommand command;
    int operands;
    bool takesJobOptions; // --verify, --yes, --replace-byte
};

const QHash<QString, CommandSpec>& Commands() {
    static const QHash<QString, CommandSpec> commands{
        {QStringLiteral("list"), {CliCommand::List, 0, false}},
        {QStringLiteral("clone"), {CliCommand::Clone, 2, true}},
        {QStringLiteral("restore"), {CliCommand::Restore, 2, true}},
        {QStringLiteral("verify"), {CliCommand::Verify, 2, false}},
    };
    return commands;
}

// 0 to 255, decimal or with 0x in hexadecimal.
std::optional<uint8_t> ParseByte(const QString& text) {
    bool ok = false;
    const bool hex = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive);
    const uint value = hex ? text.mid(2).toUInt(&ok, 16) : text.toUInt(&ok, 10);
    if (!ok || value > 255)
        return std::nullopt;
    return static_cast<uint8_t>(value);
}

ParsedCommandLine Wrong(const QString& error, bool json) {
    return ParsedCommandLine{std::nullopt, error, json};
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    CliRequest request;
    QStringList words;
    bool help = false, version = false, optionsEnded = false;
    std::optional<QString> replaceByte;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == QStringLiteral("-")) {
            words << argument;
        } else if (argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            help = true;
        } else if (argument == QStringLiteral("--version")) {
            version = true;
        } else if (argument == QStringLiteral("--json")) {
            request.json = true;
        } else if (argument == QStringLiteral("--verify")) {
            request.verify = true;
        } else if (argument == QStringLiteral("--yes") || argument == QStringLiteral("-y")) {
            request.yes = true;
        } else if (argument == QStringLiteral("--replace-byte")) {
            if (++i >= arguments.size())
                return Wrong(QStringLiteral("--replace-byte needs a value from 0 to 255."),
                             request.json);
            replaceByte = arguments[i];
        } else if (argument.startsWith(QStringLiteral("--replace-byte="))) {
            replaceByte = argument.section(u'=', 1);
        } else {
            return Wrong(QStringLiteral("Unknown option '%1'.").arg(argument), request.json);
        }
    }
    if (help || version) {
        request.command = help ? CliCommand::Help : CliCommand::Version;
        return ParsedCommandLine{request, {}, request.json};
    }
    if (words.isEmpty())
        return Wrong(QStringLiteral("No command given."), request.json);
    const QString name = words.takeFirst();
    if (!Commands().contains(name))
        return Wrong(QStringLiteral("Unknown command '%1'.").arg(name), request.json);
    const CommandSpec spec = Commands().value(name);
    if (words.size() != spec.operands)
        return Wrong(QStringLiteral("'%1' takes %2 operand(s), %3 given.")
                         .arg(name)
                         .arg(spec.operands)
                         .arg(words.size()),
                     request.json);
    if (!spec.takesJobOptions && (request.verify || request.yes || replaceByte))
        return Wrong(QStringLiteral("'%1' takes no --verify, --yes or --replace-byte.").arg(name),
                     request.json);
    if (replaceByte) {
        const auto value = ParseByte(*replaceByte);
        if (!value)
            return Wrong(QStringLiteral("--replace-byte takes a value from 0 to 255, not '%1'.")
                             .arg(*replaceByte),
                         request.json);
        request.replaceByte = *value;
    }
    for (const QString& word : words) {
        if (word.trimmed().isEmpty())
            return Wrong(QStringLiteral("An empty operand was given to '%1'.").arg(name),
                         request.json);
    }
    request.command = spec.command;
    request.operands = words;
    return ParsedCommandLine{request, {}, request.json};
}

QString HelpText() {
    return QStringLiteral(
        R"(Usage:
  tolvane-cli list [--json]
  tolvane-cli clone SOURCE IMAGE [--verify] [--yes] [--replace-byte N] [--json]
  tolvane-cli restore IMAGE TARGET [--verify] [--yes] [--replace-byte N] [--json]
  tolvane-cli verify A B [--json]
  tolvane-cli --help | --version

Commands:
  list      Every drive and disk that Tolvane offers: display name, device node,
            size in bytes, model, serial number, removable or not, and which of
            its volumes are mounted where.
  clone     Copy the drive or disk SOURCE, byte for byte, into the image file IMAGE.
  restore   Write the image file IMAGE onto the drive or disk TARGET, overwriting
            everything on it.
  verify    Compare A and B (image files, drives or disks) byte for byte over the
            length of A, and print the SHA-256 of A.

SOURCE and TARGET are a display name as 'list' shows it, or a device node.

Options:
  --verify          After the job, read source and destination again, compare
                    them and print the SHA-256 of the bytes read. Skipped when
                    the job met unreadable sectors.
  --yes, -y         Answer every question Yes. Without it, questions are asked
                    on the terminal; with no terminal on standard input they are
                    answered No.
  --replace-byte N  The byte (0 to 255, or 0x00 to 0xFF) written in place of
                    unreadable source sectors; 0 unless given.
  --json            Progress lines and a final result object as JSON on
                    standard output, one object per line.
  --help, -h        This text.
  --version         The version of tolvane-cli.

Progress goes to standard error: one line redrawn in place on a terminal, one
line per percent otherwise. Errors go to standard error. SIGINT (Ctrl+C) or
SIGTERM stops a job cleanly: the target is released and the status says so;
a second one ends the program at once.

Exit status:
  0  success
  1  failure: the job failed (also when some bytes were written), a check found
     a difference, or an input was refused
  2  bad usage: the command line was wrong; nothing was done
  3  refused by the user: a question was answered No; nothing was written
  4  stopped by SIGINT or SIGTERM
)");
}
