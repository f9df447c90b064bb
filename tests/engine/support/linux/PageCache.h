// What the kernel's page cache holds of a file or block device.
#pragma once

#include <cstdint>
#include <filesystem>

namespace testsupport {

// Bytes of the file or device resident in the page cache, as mincore
// reports them for its pages.
uint64_t ResidentBytes(const std::filesystem::path& file);
// Writes the file's dirty pages out and drops all of its pages.
void EvictFromCache(const std::filesystem::path& file);

} // namespace testsupport
