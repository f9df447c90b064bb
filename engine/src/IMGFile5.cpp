#include "IMGFile5.h"

#include "CopyRun.h"

#include <memory>
#include <new>

namespace vorlik {

int32_t CIMGFile5::RunCopy(const TOptionsStruct* options, const std::u16string& source,
                           const std::u16string& destination) {
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[kTransferSize]);
    m_options.btReplaceData = options ? options->btReplaceData : 0;
    CopyRun run(*m_channel, m_options, buffer.get(), kTransferSize);
    return run.Run(source, destination);
}

} // namespace vorlik
