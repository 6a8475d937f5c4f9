// Where company files live: beside the program when it can write there, in
// the user's data folder when it cannot (an installed program), with the
// Sample Company copied there on the first start.
#include "store/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "test_support.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

TEST(DataFolder, BesideTheProgramWhenWritableElseTheUsersFolder) {
  test::TempDir dir;
  const fs::path program = dir / "program";
  fs::create_directories(program);
  EXPECT_EQ(DefaultDataFolder(program, dir / "user"), program / "DatabaseFiles");  // made on demand

  // A program folder that cannot hold a data folder (here: a file stands in
  // its way) leaves the companies to the user's data folder.
  test::WriteBytes(dir / "blocked", "");
  EXPECT_FALSE(IsWritableFolder(dir / "blocked" / "DatabaseFiles"));
  EXPECT_EQ(DefaultDataFolder(dir / "blocked", dir / "user"), dir / "user" / "DatabaseFiles");
  EXPECT_TRUE(IsWritableFolder(dir / "user" / "DatabaseFiles"));

  // The command line and FORMET_DATA_DIR come first.
  EXPECT_EQ(ResolveDataFolder(std::string((dir / "given").string()), dir / "user"), dir / "given");
}

TEST(DataFolder, UserDataFolderFollowsXdgDataHome) {
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string keep = saved ? saved : "";
  setenv("XDG_DATA_HOME", "/srv/data", 1);
  EXPECT_EQ(UserDataFolder(), fs::path("/srv/data/Quorvane/Formet (2007)"));
  setenv("XDG_DATA_HOME", "relative/ignored", 1);
  const char* home = std::getenv("HOME");
  if (home && *home) {
    EXPECT_EQ(UserDataFolder(), fs::path(home) / ".local/share/Quorvane/Formet (2007)");
  }
  if (saved) setenv("XDG_DATA_HOME", keep.c_str(), 1);
  else unsetenv("XDG_DATA_HOME");
}

TEST(DataFolder, SampleCompanyIsCopiedOnceIntoTheUsersFolder) {
  const fs::path installed = ProgramFolder() / "DatabaseFiles" / "Sample Company.qdt";
  ASSERT_TRUE(fs::exists(installed)) << installed;  // made by the build beside the programs
  test::TempDir dir;
  const fs::path data = dir / "user" / "DatabaseFiles";
  ASSERT_TRUE(PrepareDataFolder(data));
  ASSERT_TRUE(fs::exists(data / "Sample Company.qdt"));
  EXPECT_EQ(test::ReadBytes(data / "Sample Company.qdt"), test::ReadBytes(installed));
  EXPECT_FALSE(fs::exists(data / "Sample Company.qdt.part"));

  // The user's copy is the user's: a later start leaves it alone.
  test::WriteBytes(data / "Sample Company.qdt", "changed by the user");
  ASSERT_TRUE(PrepareDataFolder(data));
  EXPECT_EQ(test::ReadBytes(data / "Sample Company.qdt"), "changed by the user");

  // A folder that cannot be made is reported.
  test::WriteBytes(dir / "file", "");
  std::string error;
  EXPECT_FALSE(PrepareDataFolder(dir / "file" / "DatabaseFiles", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace formet
