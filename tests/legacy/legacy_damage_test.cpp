// Damaged copies of the good fixtures: every one must be refused cleanly or,
// where the damage only touched data bytes, dumped as a well-formed text. Run
// under the sanitizers these also show that nothing reads out of bounds.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "legacy/legacy_fixture_util.h"
#include "store/legacy/legacy_dump.h"

namespace formet::legacy {
namespace {

using testing::Fixture;
using testing::Le16;
using testing::Le32;
using testing::LooksLikeDump;
using testing::PutLe16;
using testing::PutLe32;

constexpr std::size_t kPage = 1024;
std::size_t PageAt(std::uint32_t pgno) { return (pgno - 1) * kPage; }

const std::vector<std::string> kGoodFixtures = {"legacy-v1-small.qdt", "legacy-v2-small.qdt",
                                                "legacy-empty-tables.qdt"};

// A refusal carries a reason and no text; a success is a complete dump.
void ExpectCleanOutcome(const DumpResult& r, const std::string& label) {
    if (r.ok) {
        EXPECT_TRUE(LooksLikeDump(r.sql)) << label;
        EXPECT_TRUE(r.error.empty()) << label;
    } else {
        EXPECT_TRUE(r.sql.empty()) << label;
        EXPECT_FALSE(r.error.empty()) << label;
    }
}

TEST(LegacyDamage, TruncatedOrExtendedFilesAreRefused) {
    for (const std::string& name : kGoodFixtures) {
        const std::string good = Fixture(name);
        const std::size_t size = good.size();
        for (const std::size_t cut : {std::size_t{1}, std::size_t{53}, std::size_t{54}, std::size_t{80},
                                      std::size_t{1023}, std::size_t{1024}, std::size_t{1025}, std::size_t{2048},
                                      std::size_t{3072}, size / 2, size / 2 / kPage * kPage, size - kPage,
                                      size - kPage + 1, size - 4, size - 1}) {
            const DumpResult r = DumpOldFormat(std::string_view(good).substr(0, cut));
            EXPECT_FALSE(r.ok) << name << " cut to " << cut;
            ExpectCleanOutcome(r, name + " cut");
        }
        // Every page is used by exactly one structure, so an extra page is as
        // suspicious as a missing one.
        for (const std::string& tail : {std::string(1, '\0'), std::string(kPage, '\0'), good.substr(size - kPage)}) {
            const DumpResult r = DumpOldFormat(good + tail);
            EXPECT_FALSE(r.ok) << name << " extended by " << tail.size();
            ExpectCleanOutcome(r, name + " extended");
        }
    }
}

// Flipped bytes: every byte of page one and of each page's header and first
// cell header, and a spread of bytes elsewhere, each inverted or with its low
// bit toggled.
TEST(LegacyDamage, FlippedBytesGiveARefusalOrAWellFormedDump) {
    for (const std::string& name : kGoodFixtures) {
        const std::string good = Fixture(name);
        const DumpResult reference = DumpOldFormat(good);
        ASSERT_TRUE(reference.ok) << reference.error;
        std::string file = good;
        for (std::size_t at = 0; at < file.size(); ++at) {
            const bool header = at < kPage || at % kPage < 20;
            for (const unsigned char mask : {0xFF, 0x01}) {
                if (!header && at % (mask == 0xFF ? 5 : 11) != 0) continue;
                file[at] = static_cast<char>(file[at] ^ mask);
                const DumpResult r = DumpOldFormat(file);
                file[at] = good[at];
                const std::string label = name + " byte " + std::to_string(at) + " ^ " + std::to_string(mask);
                ExpectCleanOutcome(r, label);
                if (at < kPage) {
                    // Page one: header text and NUL, magic, free-list head and
                    // count, file format matter; padding, schema cookie, cache
                    // size and the unused tail do not.
                    const bool vital = at < 54 || (at >= 56 && at < 68) || (at >= 72 && at < 76);
                    EXPECT_EQ(r.ok, !vital) << label;
                    if (!vital && r.ok) {
                        EXPECT_EQ(r.sql, reference.sql) << label;
                    }
                }
            }
        }
    }
}

TEST(LegacyDamage, StaleBytesOfFreePagesAreNeverRead) {
    // legacy-v1-small: page 22 is the free-list trunk, page 23 its one leaf.
    const std::string good = Fixture("legacy-v1-small.qdt");
    ASSERT_EQ(Le32(good, 60), 22u);
    ASSERT_EQ(Le32(good, PageAt(22) + 8), 23u);
    std::string file = good;
    for (std::size_t i = PageAt(23); i < PageAt(24); ++i) file[i] = static_cast<char>(~file[i]);
    for (std::size_t i = PageAt(22) + 12; i < PageAt(23); ++i) file[i] = static_cast<char>(0xA5);  // slots past the count
    const DumpResult a = DumpOldFormat(good);
    const DumpResult b = DumpOldFormat(file);
    ASSERT_TRUE(a.ok && b.ok) << b.error;
    EXPECT_EQ(a.sql, b.sql);
}

TEST(LegacyDamage, BrokenLinksAndFieldsAreRefused) {
    // Known places in legacy-v1-small (24 pages): page 2 is the interior root
    // of the schema table, its first cell (offset 8) spills to an overflow
    // page; page 6 is the Employees leaf with its first cell at offset 8;
    // page 22 is the free-list trunk with leaf 23.
    const std::string good = Fixture("legacy-v1-small.qdt");
    ASSERT_EQ(good.size(), 24 * kPage);
    const std::size_t schemaCell = PageAt(2) + 8;
    ASSERT_EQ(Le16(good, PageAt(2) + 4), 8u);
    ASSERT_NE(Le32(good, PageAt(2)), 0u);
    ASSERT_GT(Le16(good, schemaCell + 4) + Le16(good, schemaCell + 10), 236u);
    const std::uint32_t overflowPage = Le32(good, schemaCell + 248);
    ASSERT_GT(overflowPage, 2u);
    ASSERT_LE(overflowPage, 24u);
    const std::size_t employees = PageAt(6);
    ASSERT_EQ(Le16(good, employees + 4), 8u);
    const std::size_t employeeRecord = employees + 8 + 12 + 4;  // past cell header and key
    ASSERT_EQ(static_cast<unsigned char>(good[employeeRecord]), 0x0Cu);

    using Patch = std::function<void(std::string&)>;
    const auto set32 = [](std::size_t at, std::uint32_t v) -> Patch { return [=](std::string& f) { PutLe32(f, at, v); }; };
    const auto set16 = [](std::size_t at, std::uint32_t v) -> Patch { return [=](std::string& f) { PutLe16(f, at, v); }; };
    const auto set8 = [](std::size_t at, unsigned char v) -> Patch {
        return [=](std::string& f) { f[at] = static_cast<char>(v); };
    };
    struct Case {
        const char* label;
        Patch patch;
    };
    const std::vector<Case> cases = {
        {"schema right child -> itself", set32(PageAt(2), 2)},
        {"schema right child -> page one", set32(PageAt(2), 1)},
        {"schema right child -> past the end", set32(PageAt(2), 25)},
        {"schema right child -> 0xFFFFFFFF", set32(PageAt(2), 0xFFFFFFFF)},
        {"schema right child -> 0 on an interior page", set32(PageAt(2), 0)},
        {"schema right child -> Employees root", set32(PageAt(2), 6)},
        {"schema right child -> free-list trunk", set32(PageAt(2), 22)},
        {"schema right child -> free-list leaf", set32(PageAt(2), 23)},
        {"schema left child -> itself", set32(schemaCell, 2)},
        {"schema left child -> its sibling", set32(schemaCell, Le32(good, PageAt(2)))},
        {"overflow link -> 0", set32(schemaCell + 248, 0)},
        {"overflow link -> the cell's own page", set32(schemaCell + 248, 2)},
        {"overflow link -> past the end", set32(schemaCell + 248, 100)},
        {"overflow link -> page one", set32(schemaCell + 248, 1)},
        {"overflow page links to itself", set32(PageAt(overflowPage), overflowPage)},
        {"overflow page links to the schema root", set32(PageAt(overflowPage), 2)},
        {"overflow page links past the end", set32(PageAt(overflowPage), 0x7FFFFFFF)},
        {"first cell offset 1020", set16(employees + 4, 1020)},
        {"first cell offset 1012", set16(employees + 4, 1012)},
        {"first cell offset 4", set16(employees + 4, 4)},
        {"first cell offset misaligned", set16(employees + 4, 10)},
        {"first cell offset 0xFFFF", set16(employees + 4, 0xFFFF)},
        {"first cell offset 0 with free blocks", set16(employees + 4, 0)},
        {"first free block 0xFFFC", set16(employees + 6, 0xFFFC)},
        {"first free block 1022", set16(employees + 6, 1022)},
        {"first free block 0", set16(employees + 6, 0)},
        {"cell links to itself", set16(employees + 8 + 6, 8)},
        {"cell links to 1020", set16(employees + 8 + 6, 1020)},
        {"leaf cell with a left child", set32(employees + 8, 3)},
        {"leaf with a right child", set32(employees, 3)},
        {"key size 5", set16(employees + 8 + 4, 5)},
        {"key size 0", set16(employees + 8 + 4, 0)},
        {"key size high byte", set8(employees + 8 + 8, 0xFF)},
        {"data size 0xFFFF", set16(employees + 8 + 10, 0xFFFF)},
        {"data size high byte", set8(employees + 8 + 9, 0xFF)},
        {"record with one column too few", set8(employeeRecord, 0x0B)},
        {"record with one column too many", set8(employeeRecord, 0x0D)},
        {"record offsets out of order", set8(employeeRecord + 3, 0xFF)},
        {"record value without its NUL", set8(employeeRecord + 0x0D, 'X')},
        {"free-list head -> 0", set32(60, 0)},
        {"free-list head -> page one", set32(60, 1)},
        {"free-list head -> schema root", set32(60, 2)},
        {"free-list head -> the leaf", set32(60, 23)},
        {"free-list head -> past the end", set32(60, 25)},
        {"free count 0", set32(64, 0)},
        {"free count 3", set32(64, 3)},
        {"free count 0xFFFFFFFF", set32(64, 0xFFFFFFFF)},
        {"free trunk links to itself", set32(PageAt(22), 22)},
        {"free trunk holds 255 entries", set32(PageAt(22) + 4, 255)},
        {"free trunk holds 0xFFFFFFFF entries", set32(PageAt(22) + 4, 0xFFFFFFFF)},
        {"free trunk entry -> itself", set32(PageAt(22) + 8, 22)},
        {"free trunk entry -> Employees", set32(PageAt(22) + 8, 6)},
        {"free trunk entry -> 0", set32(PageAt(22) + 8, 0)},
        {"file format 0", set32(72, 0)},
        {"file format 2", set32(72, 2)},
        {"file format 5", set32(72, 5)},
    };
    for (const Case& c : cases) {
        std::string file = good;
        c.patch(file);
        ASSERT_NE(file, good) << c.label;
        for (const bool quoteAll : {false, true}) {
            const DumpResult r = DumpOldFormat(file, DumpOptions{quoteAll});
            EXPECT_FALSE(r.ok) << c.label;
            ExpectCleanOutcome(r, c.label);
        }
    }
}

TEST(LegacyDamage, UnsupportedFileFormatIsNamedInTheError) {
    std::string file = Fixture("legacy-v1-small.qdt");
    PutLe32(file, 72, 5);
    const DumpResult r = DumpOldFormat(file);
    ASSERT_FALSE(r.ok);
    EXPECT_NE(r.error.find("file format number 5"), std::string::npos) << r.error;

    PutLe32(file, 72, 4);  // 2.7 and later: tables are stored the same way
    const DumpResult four = DumpOldFormat(file, DumpOptions{false});
    ASSERT_TRUE(four.ok) << four.error;
    EXPECT_EQ(four.sql, Fixture("legacy-v1-small.dump.sql"));
}

}  // namespace
}  // namespace formet::legacy
