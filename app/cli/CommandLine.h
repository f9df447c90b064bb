// The command line of tolvane-cli: one command, its operands and options.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

enum class CliCommand { Help, Version, List, Clone, Restore, Verify };

struct CliRequest {
    CliCommand command = CliCommand::Help;
    QStringList operands;
    bool json = false;
    bool verify = false;
    bool yes = false;
    uint8_t replaceByte = 0;
};

struct ParsedCommandLine {
    std::optional<CliRequest> request; // empty when the command line is wrong
    QString error;                     // why, for standard error
    bool json = false;                 // --json was given, even on a wrong line
};

// `arguments` without the program name.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

QString HelpText();
