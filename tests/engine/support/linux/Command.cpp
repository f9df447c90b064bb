#include "Command.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        result.output.append(buffer, n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string MustRun(const std::string& command) {
    CommandResult result = RunCommand(command);
    if (result.exitCode != 0)
        throw std::runtime_error("'" + command + "' failed: " + result.output);
    return result.output;
}

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string LoopDevicesUnavailable() {
    if (::geteuid() != 0)
        return "needs root to attach loop devices";
    if (!std::filesystem::exists("/dev/loop-control"))
        return "no loop device support (/dev/loop-control missing)";
    for (const char* tool : {"losetup", "sfdisk", "partx", "mkfs.ext4"}) {
        if (RunCommand(std::string("command -v ") + tool).exitCode != 0)
            return std::string("missing tool: ") + tool;
    }
    return {};
}

} // namespace testsupport
