#include "host/DeviceHandle.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace host {

const intptr_t DeviceHandle::kInvalid = -1;

// Non-blocking, so that a drive without medium still opens and can be listed.
DeviceHandle::DeviceHandle(const QString& device)
    : m_handle(::open(QFile::encodeName(device).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}

DeviceHandle::~DeviceHandle() {
    if (IsOpen())
        ::close(static_cast<int>(m_handle));
}

} // namespace host
