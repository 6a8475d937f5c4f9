// Output files (PDFs, e-files, reports): never written onto a company's
// files; written into a work file of their own that nobody sees until it is
// complete, so that a full disk, a second writer of the same file or a
// program killed half-way never leaves a broken file or a stray copy behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <set>
#include <mutex>
#include <thread>

#include "file_size_limit.h"
#include "store/output_file.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::set<std::string> FilesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// The work files of both kinds: unnamed, and hidden names for file systems
// without unnamed files.
class OutputFileTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { OutputFile::AllowUnnamedWorkFiles(GetParam()); }
  void TearDown() override { OutputFile::AllowUnnamedWorkFiles(true); }
  TempDir dir;
};

TEST(OutputTargets, ACompanysFilesAndWhatIsNoFileAreRefusedBeforeAnythingIsWritten) {
  TempDir dir;
  const std::string company = std::string("* Formet DB 2 *\0", 16) + "the rest of a company";
  WriteBytes(dir / "Acme.qdt", company);
  struct Case {
    std::string name;
    std::function<void(const fs::path&)> make;  // what is there first, if anything
    std::string says;                           // empty: the target may be written
  } cases[] = {
      {"Acme.qdt", nullptr, "that is the name of a company's file, or of a file Formet keeps beside one"},
      {"Beta.QDT", nullptr, "that is the name of a company's file"},
      {"Acme.qdt-journal", nullptr, "that is the name of a company's file"},
      {"Acme.qdt.lock", nullptr, "that is the name of a company's file"},
      {"Acme.qdt.del", nullptr, "that is the name of a company's file"},
      {"Acme.qdt__FORMET__NEW", nullptr, "that is the name of a company's file"},
      {"Acme.qdt__FORMET__VERSION2", nullptr, "that is the name of a company's file"},
      {"Acme.qdt-wal", nullptr, "that is the name of a company's file"},
      {"link.pdf", [&](const fs::path& p) { fs::create_symlink(dir / "Acme.qdt", p); },
       "it leads to " + (dir / "Acme.qdt").string() + ", a company's file"},
      {"backup", [&](const fs::path& p) { WriteBytes(p, company); }, "it holds a company (or another database)"},
      {"engine.db", [](const fs::path& p) { WriteBytes(p, std::string("SQLite format 3\0", 16)); },
       "it holds a company (or another database)"},
      {"folder", [](const fs::path& p) { fs::create_directory(p); }, "it is a folder"},
      {"pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, "it is a named pipe"},
      {"report.pdf", nullptr, ""},
      {"Acme.qdt.pdf", nullptr, ""},
      {"old.pdf", [](const fs::path& p) { WriteBytes(p, "%PDF-1.4"); }, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path target = dir / c.name;
    if (c.make) c.make(target);
    const auto problem = OutputTargetProblem(target);
    if (c.says.empty()) {
      EXPECT_EQ(problem, std::nullopt);
      continue;
    }
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->rfind("Formet does not write to " + target.string() + ": ", 0), 0u) << *problem;
    EXPECT_NE(problem->find(c.says), std::string::npos) << *problem;
    EXPECT_NE(problem->find("Nothing was written; please choose another file."), std::string::npos) << *problem;
    // Writing there is refused the same way, and changes nothing.
    EXPECT_EQ(WriteOutputFile(target, "a PDF"), problem);
  }
  EXPECT_EQ(ReadBytes(dir / "Acme.qdt"), company);
  EXPECT_FALSE(fs::exists(dir / "Beta.QDT"));
  EXPECT_FALSE(fs::exists(dir / "Acme.qdt-journal"));
}

TEST_P(OutputFileTest, AFileIsReplacedOnlyByTheCompleteNewOne) {
  const fs::path target = dir / "W2REPORT.txt";
  WriteBytes(target, "last year's file");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  const std::string bytes(512 * 1024, 'x');
  {
    // The disk fills up half-way.
    const test::FileSizeLimit limit(100 * 1024);
    const auto problem = WriteOutputFile(target, bytes);
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, "Formet could not write the file " + target.string() +
                            ": the file would be larger than this program is allowed to write (a limit on the size "
                            "of files). Nothing was written; the file that was there is kept as it was.");
  }
  EXPECT_EQ(ReadBytes(target), "last year's file");
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"W2REPORT.txt"});

  EXPECT_EQ(WriteOutputFile(target, bytes), std::nullopt);
  EXPECT_EQ(ReadBytes(target), bytes);
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"W2REPORT.txt"});
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // a replaced file keeps its permissions

  // A folder that does not exist: said, and nothing is made.
  const auto missing = WriteOutputFile(dir / "missing" / "file.txt", "lost?");
  ASSERT_TRUE(missing);
  EXPECT_NE(missing->find("its folder does not exist. Nothing was written."), std::string::npos) << *missing;
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST_P(OutputFileTest, AnAbandonedOrCheckedOutFileLeavesNothingBehind) {
  const fs::path target = dir / "out.pdf";
  {
    OutputFile file;
    ASSERT_EQ(file.Open(target), std::nullopt);
    file.Write("half a PDF");
    // The program stops before the commit (an error, or it is closed).
  }
  EXPECT_TRUE(FilesIn(dir.path()).empty());
  OutputFile file;
  ASSERT_EQ(file.Open(target), std::nullopt);
  file.Write("broken");
  const auto refused = file.Commit([](std::string_view content) -> std::optional<std::string> {
    return content == "broken" ? std::optional<std::string>("the check refused it") : std::nullopt;
  });
  EXPECT_EQ(refused, "the check refused it");
  EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST_P(OutputFileTest, TwoWritersOfOneFileEachWriteTheirOwnWholeFile) {
  const fs::path target = dir / "W2REPORT.txt";
  const std::string a(256 * 1024, 'a'), b(200 * 1024, 'b');
  std::vector<std::string> problems;
  std::mutex guard;
  const auto writer = [&](const std::string& bytes) {
    for (int i = 0; i < 40; ++i) {
      if (auto problem = WriteOutputFile(target, bytes)) {
        std::lock_guard<std::mutex> lock(guard);
        problems.push_back(*problem);
      }
      const std::string now = ReadBytes(target);
      if (now != a && now != b) {
        std::lock_guard<std::mutex> lock(guard);
        problems.push_back("a mixed file of " + std::to_string(now.size()) + " bytes");
      }
    }
  };
  std::thread first(writer, a), second(writer, b);
  first.join();
  second.join();
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"W2REPORT.txt"});
}

INSTANTIATE_TEST_SUITE_P(WorkFiles, OutputFileTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "HiddenName"; });

}  // namespace
}  // namespace formet
