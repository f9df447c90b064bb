// One engine job run from the command line: the same job as the window's,
// through the same client, with its progress shown, its failure texts on
// standard error and SIGINT/SIGTERM answered as the stop question.
#pragma once

#include "Console.h"
#include "JobOutcome.h"

#include <QString>

#include <cstdint>

struct JobReport {
    JobOutcome outcome;
    uint64_t badSectors = 0;
};

// `phase` is "clone" or "restore"; `expectedBytes` the source size, 0 when
// unknown.
JobReport RunEngineJob(Console& console, const QString& phase, const QString& source,
                       const QString& destination, uint8_t replaceByte, uint64_t expectedBytes);
