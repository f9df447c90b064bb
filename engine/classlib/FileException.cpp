#include "FileException.h"

#include "StringTable.h"

namespace vorlik {

CFileException CFileException::FromOsError(int osError, std::u16string fileName) {
    return CFileException(os::CauseFromError(osError), osError, std::move(fileName));
}

bool CFileException::GetErrorMessage(std::u16string& text) const {
    const auto id = kTextFileCauseFirst + static_cast<unsigned>(m_cause);
    const std::u16string name =
        m_strFileName.empty() ? LoadEngineString(kTextUnnamedFile) : m_strFileName;
    text = FormatText(LoadEngineString(id), {name});
    return true;
}

} // namespace vorlik
