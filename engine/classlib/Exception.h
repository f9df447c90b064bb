// The class library's failures. Each can describe itself for the user.
#pragma once

#include <string>

namespace vorlik {

class CException {
  public:
    virtual ~CException() = default;
    // Fills `text` and returns true when the failure has a description.
    virtual bool GetErrorMessage(std::u16string& text) const;
};

class CMemoryException : public CException {
  public:
    bool GetErrorMessage(std::u16string& text) const override;
};

class CNotSupportedException : public CException {
  public:
    bool GetErrorMessage(std::u16string& text) const override;
};

} // namespace vorlik
