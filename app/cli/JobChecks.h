// What clone and restore share once their job has run: the verdict, the
// engine's end figures, and the check that --verify asks for.
#pragma once

#include "CommandResult.h"
#include "EngineJob.h"

#include <QString>

// The job's status: stopped wins over success, and a job that the engine
// reported a failure in, or that wrote less than its source holds, failed.
ExitStatus JobStatus(const JobReport& job);

// Adds the job's figures to the result object.
void RecordJob(CommandResult& result, const JobReport& job);

// Reads `a` (the job's source) and `b` (its destination) again from their
// media and compares them, printing the SHA-256 of `a`. Skipped (with the
// reason) when the job filled unreadable sectors. Returns the status of the
// whole command.
ExitStatus VerifyAfterJob(Console& console, CommandResult& result, const JobReport& job,
                          const QString& a, const QString& b, uint64_t sizeOfA);

// Compares and reports; the status of the check alone.
ExitStatus CompareAndReport(Console& console, CommandResult& result, const QString& a,
                            const QString& b, uint64_t sizeOfA);

// The length in bytes of a file or device, through the engine's disk size
// for devices; 0 when unknown.
uint64_t MeasuredSize(const QString& path);
