// The check after a job, and the verify command: A and B compared byte for
// byte over A's length while the SHA-256 of A is computed, the reads of both
// running ahead of the comparison and the hashing.
#pragma once

#include "Console.h"

#include <QString>

#include <cstdint>

struct VerifyResult {
    enum class Verdict { Identical, Different, Failed, Stopped };
    Verdict verdict = Verdict::Failed;
    uint64_t bytes = 0;           // bytes of A compared and hashed
    uint64_t firstDifference = 0; // offset of the first difference
    QString sha256;               // of A, when it was read to its end
    QString problem;              // what went wrong or what differs, for the user
};

// `sizeOfA` is for the progress display only; 0 when unknown.
VerifyResult CompareAndHash(const Console& console, const QString& a, const QString& b,
                            uint64_t sizeOfA);
