#include "FileDialogFilter.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct FilterCase {
    const char* filter;
    int index;
    const char* ext;
};

// Names the case in test names and failure messages.
void PrintTo(const FilterCase& c, std::ostream* out) {
    *out << std::string(c.filter) + " #" + std::to_string(c.index);
}

class GetFilterExtTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(GetFilterExtTest, GivesTheFirstPatternsExtension) {
    const FilterCase& c = GetParam();
    EXPECT_EQ(GetFilterExt(QString::fromLatin1(c.filter), c.index), QString::fromLatin1(c.ext));
}

constexpr const char* kSaveFilter = "Disk/Drive image files (*.img)|*.img|All files (*.*)|*.*";

INSTANTIATE_TEST_SUITE_P(
    Filters, GetFilterExtTest,
    ::testing::Values(FilterCase{kSaveFilter, 1, "img"}, FilterCase{kSaveFilter, 2, "*"},
                      FilterCase{kSaveFilter, 3, ""}, FilterCase{kSaveFilter, 0, ""},
                      FilterCase{kSaveFilter, -1, ""}, FilterCase{"Images|*.img;*.bin", 1, "img"},
                      FilterCase{"Everything|*", 1, ""}, FilterCase{"Name without pattern", 1, ""},
                      FilterCase{"Archives|*.tar.gz", 1, "gz"}, FilterCase{"", 1, ""}));

} // namespace
