#include "TempDir.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

TempDir::TempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate =
            fs::temp_directory_path() / ("vorlik-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

uint8_t PatternByte(uint64_t offset) {
    return static_cast<uint8_t>((offset * 131u + offset / 512u * 7u + 1u) & 0xFFu);
}

void WritePatternFile(const fs::path& file, uint64_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::vector<char> chunk(1 << 16);
    for (uint64_t done = 0; done < size;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(chunk.size(), size - done));
        for (size_t i = 0; i < n; ++i)
            chunk[i] = static_cast<char>(PatternByte(done + i));
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        done += n;
    }
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::vector<uint8_t> ReadFileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool SameContent(const fs::path& a, const fs::path& b) {
    std::ifstream inA(a, std::ios::binary), inB(b, std::ios::binary);
    if (!inA || !inB)
        return false;
    std::vector<char> bufA(1 << 20), bufB(1 << 20);
    for (;;) {
        inA.read(bufA.data(), static_cast<std::streamsize>(bufA.size()));
        inB.read(bufB.data(), static_cast<std::streamsize>(bufB.size()));
        const auto nA = inA.gcount(), nB = inB.gcount();
        if (nA != nB || !std::equal(bufA.begin(), bufA.begin() + nA, bufB.begin()))
            return false;
        if (nA == 0)
            return true;
    }
}

} // namespace testsupport
