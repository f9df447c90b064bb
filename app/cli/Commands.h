// The commands of tolvane-cli, each to its exit status.
#pragma once

#include "CommandLine.h"
#include "Console.h"
#include "ExitStatus.h"

ExitStatus RunList(Console& console);
ExitStatus RunClone(Console& console, const CliRequest& request);
ExitStatus RunRestore(Console& console, const CliRequest& request);
ExitStatus RunVerify(Console& console, const CliRequest& request);
