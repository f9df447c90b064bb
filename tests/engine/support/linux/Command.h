// Running the system tools that tests use to build their fixtures.
#pragma once

#include <string>

namespace testsupport {

struct CommandResult {
    int exitCode = -1;
    std::string output; // standard output and error
};

CommandResult RunCommand(const std::string& command);
// Runs the command and throws with its output when it fails.
std::string MustRun(const std::string& command);
// Quotes a word for the shell.
std::string Quote(const std::string& word);

// Root with loop devices: what the device tests need; empty when available,
// else the reason to skip.
std::string LoopDevicesUnavailable();

} // namespace testsupport
