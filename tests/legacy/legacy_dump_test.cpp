// The old-format reader against the dumps the old engine's shell printed for
// the fixture files, and the file-level API around it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "legacy/legacy_fixture_util.h"
#include "store/legacy/legacy_dump.h"

namespace formet::legacy {
namespace {

using testing::Fixture;
using testing::LegacyDataDir;
using testing::LooksLikeDump;

const std::vector<std::string> kGoodFixtures = {"legacy-v1-small", "legacy-v2-small", "legacy-empty-tables"};

DumpOptions ShellForm() { return DumpOptions{.quoteAllValues = false}; }

// The golden dump with every bare value of the INSERT lines put in quotes:
// what the reader must print by default. Quoted values are copied as they
// are; NULL stays bare.
std::string QuoteBareValues(const std::string& dump) {
    std::string out;
    std::size_t lineStart = 0;
    while (lineStart < dump.size()) {
        const std::size_t lineEnd = dump.find('\n', lineStart);
        if (lineEnd == std::string::npos) throw std::runtime_error("dump does not end with a line end");
        const std::string line = dump.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.rfind("INSERT INTO ", 0) != 0) {
            out += line + "\n";
            continue;
        }
        const std::size_t open = line.find("VALUES(");
        if (open == std::string::npos || line.size() < 2 || line.substr(line.size() - 2) != ");") {
            throw std::runtime_error("unexpected INSERT line: " + line);
        }
        out += line.substr(0, open + 7);
        std::size_t i = open + 7;
        const std::size_t stop = line.size() - 2;
        while (i < stop) {
            if (line[i] == '\'') {  // a quoted text: up to the quote not doubled
                std::size_t j = i + 1;
                while (j < stop && !(line[j] == '\'' && line[j + 1] != '\'')) j += line[j] == '\'' ? 2 : 1;
                out += line.substr(i, j + 1 - i);
                i = j + 1;
            } else {
                std::size_t j = line.find(',', i);
                if (j == std::string::npos || j > stop) j = stop;
                const std::string bare = line.substr(i, j - i);
                out += bare == "NULL" ? bare : "'" + bare + "'";
                i = j;
            }
            if (i < stop) {
                if (line[i] != ',') throw std::runtime_error("unexpected text in values: " + line);
                out += ',';
                ++i;
            }
        }
        out += ");\n";
    }
    return out;
}

// The same file with the engine's standard page-one header put back (how the
// golden dumps were made).
std::string WithStandardHeader(std::string file) {
    const std::string standard = std::string("** This file contains an SQLite 2.1 database **") + '\0';
    const std::string moved = file.substr(56, 24);
    file.replace(0, standard.size(), standard);
    file.replace(48, moved.size(), moved);
    file.replace(72, 8, std::string(8, '\0'));
    return file;
}

class GoldenDumpTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenDumpTest, ShellFormEqualsTheOldShellsOutputByteForByte) {
    const DumpResult result = DumpOldFormat(Fixture(GetParam() + ".qdt"), ShellForm());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.sql, Fixture(GetParam() + ".dump.sql"));
    EXPECT_TRUE(result.error.empty());
}

TEST_P(GoldenDumpTest, DefaultQuotesEveryNonNullValue) {
    const DumpResult result = DumpOldFormat(Fixture(GetParam() + ".qdt"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.sql, QuoteBareValues(Fixture(GetParam() + ".dump.sql")));
}

TEST_P(GoldenDumpTest, StandardHeaderTwinGivesTheSameDump) {
    const std::string original = Fixture(GetParam() + ".qdt");
    const std::string twin = WithStandardHeader(original);
    EXPECT_TRUE(HasOldFormatHeader(original));
    EXPECT_FALSE(HasOldFormatHeader(twin));
    for (const bool quoteAll : {false, true}) {
        const DumpResult a = DumpOldFormat(original, DumpOptions{quoteAll});
        const DumpResult b = DumpOldFormat(twin, DumpOptions{quoteAll});
        ASSERT_TRUE(a.ok && b.ok) << a.error << b.error;
        EXPECT_EQ(a.sql, b.sql);
    }
}

TEST_P(GoldenDumpTest, FileApiReadsTheSameAsTheMemoryApi) {
    const DumpResult fromFile = DumpOldFormatFile(LegacyDataDir() / (GetParam() + ".qdt"), ShellForm());
    ASSERT_TRUE(fromFile.ok) << fromFile.error;
    EXPECT_EQ(fromFile.sql, Fixture(GetParam() + ".dump.sql"));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GoldenDumpTest, ::testing::ValuesIn(kGoodFixtures),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name) c = c == '-' ? '_' : c;
                             return name;
                         });

TEST(LegacyDumpQuoting, DefaultKeepsTextsThatLookLikeNumbers) {
    const DumpResult shell = DumpOldFormat(Fixture("legacy-v1-small.qdt"), ShellForm());
    const DumpResult quoted = DumpOldFormat(Fixture("legacy-v1-small.qdt"));
    ASSERT_TRUE(shell.ok && quoted.ok);
    // Zip 02134 (last column) and AllocatedTips -12.50 of the README: bare in
    // the shell's form (and so lost by the current engine), quoted by default.
    struct Case {
        std::string shellForm;
        std::string quotedForm;
    };
    for (const Case& c : {Case{",02134);", ",'02134');"}, Case{",-12.50,", ",'-12.50',"},
                          Case{",0.00,", ",'0.00',"}}) {
        EXPECT_NE(shell.sql.find(c.shellForm), std::string::npos) << c.shellForm;
        EXPECT_EQ(quoted.sql.find(c.shellForm), std::string::npos) << c.shellForm;
        EXPECT_NE(quoted.sql.find(c.quotedForm), std::string::npos) << c.quotedForm;
    }
    EXPECT_NE(quoted.sql.find("'San Jos\xE9'"), std::string::npos);  // raw Windows-1252
    EXPECT_NE(quoted.sql.find("'O\x92Neil'"), std::string::npos);
}

TEST(LegacyDumpRejects, GarbageFixture) {
    const std::string garbage = Fixture("legacy-garbage.qdt");
    EXPECT_TRUE(HasOldFormatHeader(garbage));  // it starts with the header text, and that is all
    for (const bool quoteAll : {false, true}) {
        const DumpResult r = DumpOldFormat(garbage, DumpOptions{quoteAll});
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.sql.empty());
        EXPECT_FALSE(r.error.empty());
    }
    const DumpResult fromFile = DumpOldFormatFile(LegacyDataDir() / "legacy-garbage.qdt");
    EXPECT_FALSE(fromFile.ok);
    EXPECT_FALSE(fromFile.error.empty());
}

TEST(LegacyDumpRejects, FilesThatOnlyLookLikeDatabases) {
    const std::string header(kOldFormatHeader);
    const std::string good = Fixture("legacy-v1-small.qdt");
    std::string noMagic = good;
    testing::PutLe32(noMagic, 56, 0x12345678);
    std::string swappedMagicOnly = good;  // magic says big-endian, nothing else does
    swappedMagicOnly.replace(56, 4, "\xDA\xE3\x75\x28");
    std::string noNul = good;
    noNul[53] = ' ';
    std::string magicAtStandardPlace = good;  // old header text, standard layout
    magicAtStandardPlace.replace(48, 32, good.substr(56, 24) + std::string(8, '\0'));

    struct Case {
        const char* label;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"header text alone", header},
        {"header text and NUL", header + '\0'},
        {"header text then zeros", header + std::string(2048 - header.size(), '\0')},
        {"header text then spaces", header + std::string(2048 - header.size(), ' ')},
        {"one page only", good.substr(0, 1024)},
        {"no magic", noMagic},
        {"no NUL after the text", noNul},
        {"magic in the standard place", magicAtStandardPlace},
        {"byte order of the magic only", swappedMagicOnly},
        {"standard header text only", std::string("** This file contains an SQLite 2.1 database **") +
                                          std::string(2001, '\0')},
        {"zeros", std::string(4096, '\0')},
    };
    for (const Case& c : cases) {
        const DumpResult r = DumpOldFormat(c.bytes);
        EXPECT_FALSE(r.ok) << c.label;
        EXPECT_FALSE(r.error.empty()) << c.label;
        EXPECT_TRUE(r.sql.empty()) << c.label;
    }
}

TEST(LegacyDumpHeader, ComparesExactlyTheFirst53Bytes) {
    const std::string header(kOldFormatHeader);
    ASSERT_EQ(header.size(), 53u);
    std::string changedLast = header;
    changedLast[52] = '!';
    std::string changedFirst = header;
    changedFirst[0] = '#';
    std::string lower = header;
    lower[13] = 'l';

    EXPECT_TRUE(HasOldFormatHeader(header));
    EXPECT_TRUE(HasOldFormatHeader(header + std::string("anything at all")));
    EXPECT_FALSE(HasOldFormatHeader(""));
    EXPECT_FALSE(HasOldFormatHeader(header.substr(0, 52)));
    EXPECT_FALSE(HasOldFormatHeader(changedLast));
    EXPECT_FALSE(HasOldFormatHeader(changedFirst));
    EXPECT_FALSE(HasOldFormatHeader(lower));
    EXPECT_FALSE(HasOldFormatHeader(std::string("** This file contains an SQLite 2.1 database **") + '\0' +
                                    std::string(100, '\0')));
}

class LegacyDumpFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::path(::testing::TempDir()) /
               ("formet_legacy_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::filesystem::path dir_;
};

TEST_F(LegacyDumpFileTest, RefusesAFileWithARollbackJournalBesideIt) {
    const std::filesystem::path file = dir_ / "Acme Co.qdt";
    std::filesystem::copy_file(LegacyDataDir() / "legacy-v1-small.qdt", file);
    ASSERT_TRUE(DumpOldFormatFile(file).ok);

    std::ofstream(file.string() + "-journal") << "x";
    const DumpResult r = DumpOldFormatFile(file);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("journal"), std::string::npos) << r.error;

    std::filesystem::remove(file.string() + "-journal");
    EXPECT_TRUE(DumpOldFormatFile(file).ok);
}

TEST_F(LegacyDumpFileTest, RefusesMissingFilesFoldersAndOversizedFilesWithoutReadingThem) {
    EXPECT_FALSE(DumpOldFormatFile(dir_ / "missing.qdt").ok);
    EXPECT_FALSE(DumpOldFormatFile(dir_).ok);

    // A sparse file just over the limit: refused from its size alone.
    const std::filesystem::path big = dir_ / "big.qdt";
    std::filesystem::copy_file(LegacyDataDir() / "legacy-v1-small.qdt", big);
    std::filesystem::resize_file(big, kMaxOldFormatFileBytes + 1024);
    const DumpResult r = DumpOldFormatFile(big);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("1 GiB"), std::string::npos) << r.error;
}

}  // namespace
}  // namespace formet::legacy
