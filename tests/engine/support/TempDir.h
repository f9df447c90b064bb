// A fresh folder for one test, removed with everything in it at the end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

// The byte at `offset` of the test pattern: varies within and across sectors.
uint8_t PatternByte(uint64_t offset);
// Writes `size` bytes of the test pattern.
void WritePatternFile(const std::filesystem::path& file, uint64_t size);
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& file);
// Compares two files byte for byte, in chunks.
bool SameContent(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace testsupport
