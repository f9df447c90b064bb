// `verify` on image files: identical copies give the SHA-256 of A, and a
// copy changed in one byte, or cut short, fails at that offset.
#include "CliRunner.h"
#include "TempDir.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace clitest;
namespace fs = std::filesystem;

// Spans several of the check's 4 MiB chunks and ends in a partial one.
constexpr uint64_t kSize = (9 << 20) + 123;

void ChangeByte(const fs::path& file, uint64_t offset) {
    std::fstream io(file, std::ios::in | std::ios::out | std::ios::binary);
    io.seekg(static_cast<std::streamoff>(offset));
    const char old = static_cast<char>(io.get());
    io.seekp(static_cast<std::streamoff>(offset));
    io.put(static_cast<char>(~old));
}

class CliVerify : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::WritePatternFile(m_dir / "a.img", kSize);
        fs::copy_file(m_dir / "a.img", m_dir / "b.img");
    }
    CliRun Verify() const { return RunCli({"verify", A(), B(), "--json"}); }
    QString A() const { return Q(m_dir / "a.img"); }
    QString B() const { return Q(m_dir / "b.img"); }

    testsupport::TempDir m_dir;
};

TEST_F(CliVerify, IdenticalCopiesPrintTheHashOfA) {
    const CliRun plain = RunCli({"verify", A(), B()});
    EXPECT_EQ(plain.status, 0) << plain.err;
    const QString sha = Sha256Of((m_dir / "a.img").string());
    EXPECT_TRUE(plain.out.contains("SHA-256 of '" + A() + "': " + sha)) << plain.out;

    const QJsonObject result = Verify().Result();
    EXPECT_EQ(result["status"].toString(), "success");
    EXPECT_EQ(result["verify"]["sha256"].toString(), sha);
    EXPECT_EQ(result["verify"]["bytes"].toInteger(), static_cast<qint64>(kSize));
}

TEST_F(CliVerify, AChangedByteFailsAtItsOffset) {
    for (const uint64_t offset :
         {uint64_t{0}, uint64_t{(4 << 20) - 1}, uint64_t{4 << 20}, uint64_t{5000000}, kSize - 1}) {
        ChangeByte(m_dir / "b.img", offset);
        const CliRun run = Verify();
        ChangeByte(m_dir / "b.img", offset);
        EXPECT_EQ(run.status, 1) << offset;
        const QJsonObject result = run.Result();
        EXPECT_EQ(result["verify"]["status"].toString(), "different") << offset;
        EXPECT_EQ(result["verify"]["firstDifference"].toInteger(), static_cast<qint64>(offset));
        EXPECT_TRUE(run.err.contains(QString("first at offset %1.").arg(offset))) << run.err;
    }
}

TEST_F(CliVerify, ACopyCutShortFailsWhereItEndsAndALongerOneIsCompared) {
    fs::resize_file(m_dir / "b.img", kSize - 1000);
    const CliRun shorter = Verify();
    EXPECT_EQ(shorter.status, 1);
    EXPECT_EQ(shorter.Result()["verify"]["firstDifference"].toInteger(),
              static_cast<qint64>(kSize - 1000));
    EXPECT_TRUE(shorter.err.contains(QString("ends at offset %1").arg(kSize - 1000)));

    // B beyond A's length is no difference: a disk larger than its image.
    fs::resize_file(m_dir / "b.img", 0);
    fs::copy_file(m_dir / "a.img", m_dir / "b.img", fs::copy_options::overwrite_existing);
    fs::resize_file(m_dir / "b.img", kSize + 4096);
    EXPECT_EQ(Verify().status, 0);
}

TEST_F(CliVerify, AMissingOrFolderOperandIsRefused) {
    for (const QString& missing : {Q(m_dir / "nothing.img"), Q(m_dir.Path())}) {
        const CliRun run = RunCli({"verify", A(), missing});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("'" + missing + "'")) << run.err;
    }
}

} // namespace
