// tolvane-cli: Tolvane's clone, restore and verify from a terminal or a
// script, on the same engine client, drive list and checks as the window.
#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const ParsedCommandLine parsed = ParseCommandLine(QCoreApplication::arguments().mid(1));
    if (!parsed.request) {
        Console console(parsed.json, false);
        console.Error(QStringLiteral("tolvane-cli: ") + parsed.error);
        console.Error(QStringLiteral("Try 'tolvane-cli --help'."));
        return ToInt(ExitStatus::BadUsage);
    }
    const CliRequest& request = *parsed.request;
    Console console(request.json, request.yes);
    switch (request.command) {
    case CliCommand::Help:
        std::fputs(HelpText().toLocal8Bit().constData(), stdout);
        return ToInt(ExitStatus::Success);
    case CliCommand::Version:
        std::printf("tolvane-cli %s\n", TOLVANE_CLI_VERSION);
        return ToInt(ExitStatus::Success);
    case CliCommand::List:
        return ToInt(RunList(console));
    case CliCommand::Clone:
        return ToInt(RunClone(console, request));
    case CliCommand::Restore:
        return ToInt(RunRestore(console, request));
    case CliCommand::Verify:
        return ToInt(RunVerify(console, request));
    }
    return ToInt(ExitStatus::BadUsage);
}
