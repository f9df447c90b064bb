// The framework's shared helpers, each in its own unit.
#pragma once

#include "ConfirmBatchStep.h"
#include "ElapsedTime.h"
#include "FileDialogFilter.h"
#include "LogText.h"
#include "SizeText.h"
#include "TempFileName.h"
#include "TrackingCode.h"
#include "VersionInfo.h"
