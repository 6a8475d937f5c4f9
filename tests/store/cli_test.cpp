// formet-cli: list, new and dump as a script would use them.
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sstream>

#include <sys/stat.h>

#include <set>

#include "cli_process.h"
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

// Input that typing cannot produce, given to the program itself.
TEST(Cli, TextThatTypingCannotProduceIsRefusedAndChangesNothing) {
  TempDir dir;
  ASSERT_EQ(test::RunCliProgram(dir.path(), {"new", "Acme"}).code, 0);
  const std::string before = test::ReadBytes(dir / "Acme.qdt");
  const std::string overlongNul = "A\xC0\x80" "B";  // decodes to a NUL in lax decoders
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"new", overlongNul}, "not valid UTF-8"},
      {{"new", "Tab\tName"}, "control character (U+0009)"},
      {{"new", "Two\nLines"}, "control character (U+000A)"},
      {{"new", "Red\x1b[31mName"}, "control character (U+001B)"},
      {{"new", "Next\xC2\x85Line"}, "control character (U+0085)"},
      {{"dump", overlongNul}, "not valid UTF-8"},
      {{"add-employee", overlongNul, "--ssn", "123-45-6789", "--first", "A", "--last", "B"}, "not valid UTF-8"},
      {{"add-employee", "Acme", "--ssn", "123-45-6789", "--first", "A", "--last", "Lee\x1b]0;owned\x07"},
       "control character (U+001B)"},
      {{"add-employee", "Acme", "--ssn", "123-45-6789", "--first", overlongNul, "--last", "B"}, "not valid UTF-8"},
      {{"add-contractor", "Acme", "--tin", "12-3456789", "--name1", "Bolt\tElectric"}, "control character (U+0009)"},
      {{"add-contractor", "Acme", "--tin", "12-3456789", "--name1", "Bolt", "--city", "Spring\rfield"},
       "control character (U+000D)"},
  };
  for (const auto& c : cases) {
    const auto r = test::RunCliProgram(dir.path(), c.args);
    EXPECT_EQ(r.code, 1) << c.args[0] << " " << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(dir.path())) files.insert(entry.path().filename().string());
  EXPECT_EQ(files, std::set<std::string>{"Acme.qdt"});
  EXPECT_EQ(test::ReadBytes(dir / "Acme.qdt"), before);

  // Arguments shown back in a message never carry control characters to the
  // terminal.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"add-employee", "Acme", "Extra\x1b[2J"},
        std::vector<std::string>{"add-employee", "Acme", "--\x1b[2J"}, std::vector<std::string>{"\x1b[2Jcommand"},
        std::vector<std::string>{"import-prior-year", "\x1b[2J"}}) {
    const auto r = test::RunCliProgram(dir.path(), args);
    EXPECT_NE(r.code, 0);
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\\x1B[2J"), std::string::npos) << r.err;
  }
}

TEST(Cli, NamedPipesInTheDataFolderNeverHangACommand) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "Acme.qdt").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir / "Beta.qdt-journal").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir / "Gamma.qdt.lock").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir / "Delta.qdt__FORMET__NEW").c_str(), 0600), 0);
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string text;
  } cases[] = {
      {{"new", "Acme"}, 1, "holds something named \"Acme.qdt\" that is not a file Formet can use"},
      {{"new", "Beta"}, 1, "holds something named \"Beta.qdt-journal\""},
      {{"dump", "Acme"}, 1, "there is no company \"Acme\""},
      {{"list"}, 0, ""},
      // A lock file that is a named pipe cannot lock the company: refused.
      {{"new", "Gamma"}, 1, "Its lock file " + (dir / "Gamma.qdt.lock").string() + " is a named pipe, not a file."},
      {{"new", "Delta"}, 0, ""},
  };
  for (const auto& c : cases) {
    const auto r = test::RunCliProgram(dir.path(), c.args, {.seconds = 10});
    ASSERT_FALSE(r.timedOut) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_NE((r.err + r.out).find(c.text), std::string::npos) << r.err;
  }
  EXPECT_EQ(test::RunCliProgram(dir.path(), {"list"}).out, "Delta\n");
}

}  // namespace
}  // namespace formet
