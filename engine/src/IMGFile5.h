// The copy job: every byte of a source, in 512 KB transfers, to a
// destination that is an image file, a disk or a volume.
#pragma once

#include "Communicator.h"
#include "Options.h"
#include "vorlik/JobRecord.h"

#include <cstdint>
#include <string>

namespace vorlik {

class CFileType {
  public:
    virtual ~CFileType() = default;
};

class CIMGFile5 : public CFileType {
  public:
    static constexpr size_t kTransferSize = 0x80000;

    explicit CIMGFile5(const CCommunicator* channel) : m_channel(channel) {}

    // Returns 1 when any byte reached the destination, else 0.
    int32_t RunCopy(const TOptionsStruct* options, const std::u16string& source,
                    const std::u16string& destination);

  private:
    const CCommunicator* m_channel;
    COptions m_options;
};

} // namespace vorlik
