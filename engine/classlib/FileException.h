// The file class's failure record: cause, system error number, file name.
#pragma once

#include "Exception.h"
#include "platform/Storage.h"

namespace vorlik {

class CFileException : public CException {
  public:
    using Cause = os::FileCause;

    CFileException() = default;
    CFileException(Cause cause, int osError, std::u16string fileName)
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    // Cause derived from a system error number.
    static CFileException FromOsError(int osError, std::u16string fileName);

    bool GetErrorMessage(std::u16string& text) const override;

    Cause m_cause = Cause::None;
    int m_lOsError = -1; // -1 when no system error lies behind the failure
    std::u16string m_strFileName;
};

} // namespace vorlik
