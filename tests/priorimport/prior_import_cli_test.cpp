// formet-cli import-prior-year, end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>

#include "cli/import_command.h"
#include "cli_runner.h"
#include "prior_import_fixture.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

const std::string kCaptionLines =
    "Searching for Formet 2006 Database Folder\n"
    "Enumerating Companies\n"
    "Upgrading Companies to 2007 Version\n"
    "Copying Companies to Formet 2007 Database Folder\n"
    "Refreshing Company List\n";
const std::string kSucceeded =
    "Importing clients for the Tax Year 2006 completed successfully.\nFrom the menu, select \"Company\" and then "
    "\"Open\" to open any of the imported companies.\n";
const std::string kNotFound = "The Formet 2006 database folder couldn\xE2\x80\x99t be found.\nOperation Cancelled.\n";
const std::string kEnumerateFailed = "Enumerating companies for the tax year 2006, failed.\nOperation Cancelled.\n";

using test::RunCli;

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

using PriorImportCliTest = test::PriorImportFixture;

TEST_F(PriorImportCliTest, FromNamesTheOldInstallFolder) {
  const fs::path old = Install(dir / "Old Disk" / "Formet 2006", {{"Acme.qdt", "acme"}});
  fs::copy_file(test::TestData("legacy/legacy-v1-small.qdt"), old / "DatabaseFiles" / "O'Brien Plumbing.qdt");
  test::WriteBytes(data / "Acme.qdt", "current acme");

  auto r = RunCli(data, {"import-prior-year", "--from", old.string()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, kCaptionLines + kSucceeded);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(test::ReadBytes(data / "Acme.qdt"), "current acme");
  EXPECT_EQ(test::ReadBytes(WorkFolder() / "Acme.qdt"), "acme");

  // The imported company opens, converted on the way.
  r = RunCli(data, {"list"});
  EXPECT_EQ(r.out, "Acme\nO'Brien Plumbing\n");
  r = RunCli(data, {"dump", "O'Brien Plumbing"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"EmployerName\": \"O'Brien Plumbing\""), std::string::npos);

  // --from=FOLDER says the same; a second run finds everything in place.
  r = RunCli(data, {"import-prior-year", "--from=" + old.string()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, kCaptionLines + kSucceeded);
}

TEST_F(PriorImportCliTest, FailuresGoToStandardErrorAfterTheirStep) {
  fs::create_directories(dir / "no data folder");
  Install(dir / "empty");
  struct Case {
    fs::path from;
    std::string out, err;
  };
  const Case cases[] = {
      {dir / "no data folder", "Searching for Formet 2006 Database Folder\n", kNotFound},
      {dir / "nowhere", "Searching for Formet 2006 Database Folder\n", kNotFound},
      {dir / "empty", "Searching for Formet 2006 Database Folder\nEnumerating Companies\n", kEnumerateFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from.string());
    const auto r = RunCli(data, {"import-prior-year", "--from", c.from.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_FALSE(fs::exists(WorkFolder()));
}

TEST_F(PriorImportCliTest, SearchesTheUsersWinePrefix) {
  const fs::path prefix = dir / "office prefix";
  Install(prefix / "drive_c" / "Program Files" / "Quorvane" / "Formet (2006)", {{"Acme.qdt", "acme"}});
  ScopedEnv homeEnv("HOME", home.string());
  ScopedEnv prefixEnv("WINEPREFIX", prefix.string());
  const auto r = RunCli(data, {"import-prior-year"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, kCaptionLines + kSucceeded);
  EXPECT_EQ(test::ReadBytes(data / "Acme.qdt"), "acme");
}

TEST_F(PriorImportCliTest, NothingFoundOnTheMachine) {
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunImportCommand(settings, data, {}, out, err, Roots()), 1);
  EXPECT_EQ(out.str(), "Searching for Formet 2006 Database Folder\n");
  EXPECT_EQ(err.str(), kNotFound);
}

TEST_F(PriorImportCliTest, WrongArguments) {
  struct Case {
    fs::path dataDir;
    std::vector<std::string> args;
    int code;
    std::string err;
  };
  const Case cases[] = {
      {data, {"import-prior-year", "--from"}, 2, "formet-cli: --from needs a folder\n"},
      {data, {"import-prior-year", "--from="}, 2, "formet-cli: --from needs a folder\n"},
      {data, {"import-prior-year", "--from", "a", "--from", "b"}, 2, "formet-cli: --from is given twice\n"},
      {data, {"import-prior-year", "Acme"}, 2, "formet-cli: import-prior-year takes no argument \"Acme\"\n"},
      {dir / "missing", {"import-prior-year", "--from", data.string()}, 1,
       "formet-cli: the data folder " + (dir / "missing").string() + " does not exist\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    const auto r = RunCli(c.dataDir, c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_NE(RunCli(data, {"help"}).out.find("  import-prior-year [--from FOLDER]\n"), std::string::npos);
}

}  // namespace
}  // namespace formet
