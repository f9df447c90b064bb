// The program's one way into the engine's copy job.
#pragma once

#include "vorlik/Vorlik.h"

#include <cstdint>

// Packs the job record, scrambles it and runs the job; returns the engine's
// result unchanged.
int32_t CallEngineJob(const char16_t* srcFile, const TOptionsStruct* options,
                      const char16_t* dstFile, JobCallback callback, uintptr_t context);
