// formet-cli: list, new and dump as a script would use them.
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sstream>

#include "cli_runner.h"
#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using Result = test::CliResult;
inline Result Cli(const fs::path& dataDir, std::vector<std::string> args) { return test::RunCli(dataDir, std::move(args)); }

TEST(Cli, NewListDump) {
  TempDir dir;
  auto r = Cli(dir.path(), {"new", "O'Brien Caf\xC3\xA9"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir / "O'Brien Caf\xC3\xA9.qdt"));
  ASSERT_EQ(Cli(dir.path(), {"new", "Acme"}).code, 0);

  r = Cli(dir.path(), {"new", "Acme"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "This company already exists\n");

  r = Cli(dir.path(), {"list"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "Acme\nO'Brien Caf\xC3\xA9\n");

  r = Cli(dir.path(), {"dump", "O'Brien Caf\xC3\xA9"});
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* expected :
       {"\"version\": \"3\"", "\"EmployerName\": \"O'Brien Caf\xC3\xA9\"", "\"CompanyUniqueID\": 1",
        "\"employees\": []", "\"w3\": []", "\"FileTypeOriginal\": 0", "\"PreparerCode\": \"\"",
        "\"TotalNumberOfForms\": 0"})
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected;
  for (const char* key : {"version", "company", "employees", "contractors", "w2", "form1099", "w3", "form1096",
                          "transmitter", "submitter"})
    EXPECT_NE(r.out.find(std::string("\n  \"") + key + "\": "), std::string::npos) << key;
}

TEST(Cli, Failures) {
  TempDir dir;
  {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "X.qdt").c_str(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "CREATE TABLE Version(FormetVersion)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
  }
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string err;
  } cases[] = {
      {{"dump", "X"}, 1, "Formet failed to upgrade Database.\n\nEngine Error Code: 26\n"},
      {{"dump", "Nobody"}, 1, "there is no company \"Nobody\""},
      {{"new", "Pay \xE4\xB8\xAD"}, 1, "cannot be stored in a company file"},
      {{"new", "A/B"}, 1, "cannot contain"},
      {{"new", ""}, 1, "Please enter a name for the new company"},
      {{"frobnicate"}, 2, "unknown command"},
      {{"dump"}, 2, "Usage: formet-cli"},
  };
  for (const auto& c : cases) {
    const auto r = Cli(dir.path(), c.args);
    EXPECT_EQ(r.code, c.code) << c.args[0];
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_FALSE(fs::exists(dir / "Pay .qdt"));
}

TEST(Cli, Help) {
  std::ostringstream out, err;
  EXPECT_EQ(cli::Run({"--help"}, out, err), 0);
  EXPECT_NE(out.str().find("dump NAME"), std::string::npos);
}

}  // namespace
}  // namespace formet
