#include "Exception.h"

#include "StringTable.h"

namespace vorlik {

bool CException::GetErrorMessage(std::u16string&) const {
    return false;
}

bool CMemoryException::GetErrorMessage(std::u16string& text) const {
    text = LoadEngineString(kTextOutOfMemory);
    return true;
}

bool CNotSupportedException::GetErrorMessage(std::u16string& text) const {
    text = LoadEngineString(kTextNotSupported);
    return true;
}

} // namespace vorlik
