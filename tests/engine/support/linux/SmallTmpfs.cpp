#include "SmallTmpfs.h"

#include "Command.h"

namespace testsupport {

SmallTmpfs::SmallTmpfs(const std::filesystem::path& where, const std::string& size)
    : m_where(where) {
    std::filesystem::create_directories(m_where);
    m_mounted = RunCommand("mount -t tmpfs -o size=" + size + " tmpfs " + Quote(m_where.string()))
                    .exitCode == 0;
}

SmallTmpfs::~SmallTmpfs() {
    if (m_mounted)
        RunCommand("umount " + Quote(m_where.string()));
}

} // namespace testsupport
