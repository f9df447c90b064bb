// The abort signal: raised when the caller asks the job to stop, caught by
// the job itself.
#pragma once

#include "classlib/Exception.h"

namespace vorlik {

class CKestrumException : public CException {};

} // namespace vorlik
