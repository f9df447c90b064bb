// The extended memory query: its byte counts are 64-bit, so machines with
// more than 4 GiB are reported as they are.
#include "host/HostQueries.h"

#include <windows.h>

namespace host {

MemoryStatus QueryMemoryStatus() {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (!::GlobalMemoryStatusEx(&memory))
        return {};
    MemoryStatus status;
    status.loadPercent = memory.dwMemoryLoad;
    status.totalPhysical = memory.ullTotalPhys;
    status.availablePhysical = memory.ullAvailPhys;
    status.totalPageFile = memory.ullTotalPageFile;
    status.availablePageFile = memory.ullAvailPageFile;
    status.totalVirtual = memory.ullTotalVirtual;
    status.availableVirtual = memory.ullAvailVirtual;
    return status;
}

} // namespace host
