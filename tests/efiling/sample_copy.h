#pragma once
// A copy of the ready-made Sample Company in a scratch folder, and what its
// file holds, read with a connection of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "store/company_database.h"
#include "test_support.h"

namespace formet::test {

class SampleCompanyCopy {
 public:
  SampleCompanyCopy() {
    const auto sample = std::filesystem::path(FORMET_BIN_DIR) / "DatabaseFiles" / "Sample Company.qdt";
    EXPECT_TRUE(std::filesystem::exists(sample)) << sample;
    std::filesystem::copy_file(sample, File());
  }
  const std::filesystem::path& Folder() const { return dir_.path(); }
  std::filesystem::path File() const { return dir_ / "Sample Company.qdt"; }
  std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }

  template <class R>
  R Stored(int (CompanyDatabase::*read)(R&)) const {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(File()), 0);
    R record;
    EXPECT_EQ((db.*read)(record), 0);
    return record;
  }
  template <class R>
  std::vector<R> StoredList(int (CompanyDatabase::*read)(std::vector<R>&)) const {
    CompanyDatabase db;
    EXPECT_EQ(db.Open(File()), 0);
    std::vector<R> list;
    EXPECT_EQ((db.*read)(list), 0);
    return list;
  }

 private:
  TempDir dir_;
};

}  // namespace formet::test
