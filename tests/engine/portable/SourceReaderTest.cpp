// The source reader's retrying read, through a seam that fails, shortens or
// records the single reads it makes.
#include "TempDir.h"

#include "classlib/StringTable.h"
#include "src/FileEx.h"
#include "src/KestrumException.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace testsupport;
using vorlik::CFileEx;

namespace {

constexpr size_t kTransfer = 512 * 1024;
constexpr uint64_t kSector = 512;

struct Range {
    uint64_t begin, end; // [begin, end)
};

// Reads fail where they touch an unreadable range, as on a real medium;
// a read may also be cut short, or fail a given number of times at first.
class FaultyReader : public CFileEx {
  public:
    std::vector<Range> unreadable;
    size_t maxPerRead = SIZE_MAX;
    int failFirst = 0;
    std::vector<std::pair<uint64_t, size_t>> reads;  // offset, count
    std::vector<std::pair<uint64_t, size_t>> failed; // offset, count
    std::vector<Range> delivered;

    bool ReadAt(void* buffer, size_t count, uint64_t offset, size_t& got) override {
        reads.emplace_back(offset, count);
        got = 0;
        if (failFirst > 0) {
            --failFirst;
            return Fail(offset, count);
        }
        for (const Range& r : unreadable) {
            if (offset < r.end && offset + count > r.begin)
                return Fail(offset, count);
        }
        const bool ok = CFileEx::ReadAt(buffer, std::min(count, maxPerRead), offset, got);
        delivered.push_back({offset, offset + got});
        return ok;
    }

  private:
    bool Fail(uint64_t offset, size_t count) {
        failed.emplace_back(offset, count);
        return false;
    }
};

// No byte was delivered twice, and no sector failed twice on its own.
void ExpectNothingReadAgain(const FaultyReader& reader) {
    std::vector<Range> ranges = reader.delivered;
    std::sort(ranges.begin(), ranges.end(), [](Range a, Range b) { return a.begin < b.begin; });
    for (size_t i = 1; i < ranges.size(); ++i)
        EXPECT_LE(ranges[i - 1].end, ranges[i].begin) << "delivered again at " << ranges[i].begin;
    std::vector<uint64_t> failedSectors;
    for (const auto& [offset, count] : reader.failed) {
        if (count <= kSector - offset % kSector)
            failedSectors.push_back(offset / kSector);
    }
    std::sort(failedSectors.begin(), failedSectors.end());
    EXPECT_EQ(std::adjacent_find(failedSectors.begin(), failedSectors.end()), failedSectors.end())
        << "a sector failed twice";
}

class SourceReader : public ::testing::Test {
  protected:
    void OpenSource(FaultyReader& reader, uint64_t size) {
        WritePatternFile(m_dir / "source.bin", size);
        vorlik::CFileException failure;
        ASSERT_TRUE(reader.Open((m_dir / "source.bin").u16string(),
                                vorlik::os::OpenMode::ReadSource, &failure));
    }

    // Reads the whole source in transfers, as the copy job does.
    static std::vector<uint8_t> ReadAll(FaultyReader& reader) {
        std::vector<uint8_t> all, buffer(kTransfer);
        for (;;) {
            const size_t n = reader.Read(buffer.data(), buffer.size());
            all.insert(all.end(), buffer.begin(), buffer.begin() + static_cast<long>(n));
            if (n < buffer.size())
                return all;
        }
    }

    TempDir m_dir;
};

TEST_F(SourceReader, FailedFullReadIsNarrowedToSectorsThatAllSucceed) {
    FaultyReader reader;
    OpenSource(reader, kTransfer);
    reader.failFirst = 1;
    std::vector<uint8_t> buffer(kTransfer);

    ASSERT_EQ(reader.Read(buffer.data(), buffer.size()), kTransfer);

    std::vector<std::pair<uint64_t, size_t>> expected = {{0, kTransfer}};
    for (uint64_t offset = 0; offset < kTransfer; offset += kSector)
        expected.emplace_back(offset, kSector);
    EXPECT_EQ(reader.reads, expected);
    for (size_t i = 0; i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], PatternByte(i)) << "at " << i;
    EXPECT_EQ(reader.GetPosition(), kTransfer);
    EXPECT_EQ(reader.GetBadSectors(), 0u);
}

struct UnreadableCase {
    const char* name;
    uint64_t size;
    std::vector<Range> unreadable;
    size_t maxPerRead;
    uint64_t badSectors;
    friend void PrintTo(const UnreadableCase& c, std::ostream* out) { *out << c.name; }
};

class UnreadableSource : public SourceReader,
                         public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableSource, FillsUnreadableSectorsAndKeepsEveryOtherByteInPlace) {
    const UnreadableCase& c = GetParam();
    FaultyReader reader;
    OpenSource(reader, c.size);
    reader.unreadable = c.unreadable;
    reader.maxPerRead = c.maxPerRead;
    reader.SetReplaceData(0xEE);

    const std::vector<uint8_t> image = ReadAll(reader);

    ASSERT_EQ(image.size(), c.size);
    for (uint64_t i = 0; i < c.size; ++i) {
        const bool inBadSector = std::any_of(c.unreadable.begin(), c.unreadable.end(), [&](auto r) {
            return i >= r.begin / kSector * kSector &&
                   i < (r.end + kSector - 1) / kSector * kSector;
        });
        ASSERT_EQ(image[i], inBadSector ? 0xEE : PatternByte(i)) << "at " << i;
    }
    EXPECT_EQ(reader.GetBadSectors(), c.badSectors);
    // One failing read per unreadable sector, and at most one more per
    // stretch to find where it lies.
    EXPECT_LE(reader.failed.size(), c.badSectors + c.unreadable.size());
    ExpectNothingReadAgain(reader);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadableSource,
    ::testing::Values(
        UnreadableCase{"OneSectorInTheMiddle",
                       3 * kTransfer,
                       {{kTransfer + 4096, kTransfer + 4097}},
                       SIZE_MAX,
                       1},
        UnreadableCase{"FirstSector", kTransfer, {{0, 1}}, SIZE_MAX, 1},
        UnreadableCase{"UnalignedStretchOverThreeSectors", kTransfer, {{1000, 1600}}, SIZE_MAX, 3},
        UnreadableCase{"StretchAcrossATransferBoundary",
                       2 * kTransfer,
                       {{kTransfer - 1024, kTransfer + 1024}},
                       SIZE_MAX,
                       4},
        UnreadableCase{"SeveralStretches",
                       4 * kTransfer,
                       {{0, 512}, {70000, 70001}, {3 * kTransfer, 3 * kTransfer + 5000}},
                       SIZE_MAX,
                       12},
        UnreadableCase{"TailOfAnOddSizedSource",
                       kTransfer + 700,
                       {{kTransfer + 600, kTransfer + 700}},
                       SIZE_MAX,
                       1},
        UnreadableCase{"ShortReadsAtOddCounts", 2 * kTransfer, {}, 1000, 0},
        UnreadableCase{
            "ShortReadsAndAnUnreadableSector", 2 * kTransfer, {{300000, 300001}}, 1000, 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(SourceReader, AfterAnUnreadableSectorTheNextTransferStartsWithOneSector) {
    FaultyReader reader;
    OpenSource(reader, 2 * kTransfer);
    reader.unreadable = {{kTransfer - kSector, kTransfer + 2 * kSector}};
    std::vector<uint8_t> buffer(kTransfer);
    ASSERT_EQ(reader.Read(buffer.data(), buffer.size()), kTransfer);
    reader.reads.clear();
    reader.failed.clear();

    ASSERT_EQ(reader.Read(buffer.data(), buffer.size()), kTransfer);

    const std::vector<std::pair<uint64_t, size_t>> expected = {
        {kTransfer, kSector},
        {kTransfer + kSector, kSector},
        {kTransfer + 2 * kSector, kSector},
        {kTransfer + 3 * kSector, kTransfer - 3 * kSector}};
    EXPECT_EQ(reader.reads, expected);
    EXPECT_EQ(reader.failed.size(), 2u);
    EXPECT_EQ(reader.GetBadSectors(), 3u);
}

TEST_F(SourceReader, StopQuestionIsAskedAfterEveryFailingReadAndEndsTheRead) {
    FaultyReader reader;
    OpenSource(reader, 2 * kTransfer);
    reader.unreadable = {{4096, kTransfer + 4096}};
    size_t questions = 0;
    reader.SetStopQuestion([&] { return ++questions == 10; });
    std::vector<uint8_t> buffer(kTransfer);

    EXPECT_THROW(reader.Read(buffer.data(), buffer.size()), vorlik::CKestrumException);

    EXPECT_EQ(questions, 10u);
    EXPECT_EQ(reader.failed.size(), 10u);
    EXPECT_TRUE(reader.reads.back() == reader.failed.back()) << "read on after the stop";
}

TEST_F(SourceReader, SeekFollowsItsOrigin) {
    FaultyReader reader;
    OpenSource(reader, 10000);
    EXPECT_EQ(reader.Seek(100, 0), 100u);
    EXPECT_EQ(reader.Seek(50, 1), 150u);
    EXPECT_EQ(reader.Seek(-1000, 2), 9000u);
    EXPECT_EQ(reader.Seek(5, 7), 9000u);
    EXPECT_EQ(reader.GetLength(), 10000u);
}

TEST(SourceReaderOperations, RefusedOperationsDescribeThemselves) {
    CFileEx reader;
    std::u16string text;
    try {
        reader.Duplicate();
        FAIL() << "Duplicate did not raise";
    } catch (const vorlik::CNotSupportedException& e) {
        ASSERT_TRUE(e.GetErrorMessage(text));
    }
    EXPECT_EQ(text, u"Attempted an unsupported operation.");
    EXPECT_THROW(reader.LockRange(0, 1), vorlik::CNotSupportedException);
    EXPECT_THROW(reader.UnlockRange(0, 1), vorlik::CNotSupportedException);
}

} // namespace
