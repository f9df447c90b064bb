// A tmpfs of a given size mounted on a folder of the test's own, so that a
// destination runs out of space for real. Unmounted on every exit.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class SmallTmpfs {
  public:
    // `size` as mount takes it ("1m", "4m").
    SmallTmpfs(const std::filesystem::path& where, const std::string& size);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Mounted() const { return m_mounted; }

  private:
    std::filesystem::path m_where;
    bool m_mounted = false;
};

} // namespace testsupport
