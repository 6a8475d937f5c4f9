#pragma once
// Golden files of the electronic filing tests: a built file is compared byte
// for byte with tests/data/efiling/NAME. FORMET_UPDATE_GOLDEN=1 rewrites them
// (then read the differences before committing them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "test_support.h"

namespace formet::test {

inline void ExpectGolden(const std::string& name, const std::string& bytes, size_t recordLength) {
  const auto path = TestData("efiling/" + name);
  if (std::getenv("FORMET_UPDATE_GOLDEN")) WriteBytes(path, bytes);
  const std::string golden = ReadBytes(path);
  if (golden == bytes) return;
  size_t at = 0;
  while (at < golden.size() && at < bytes.size() && golden[at] == bytes[at]) ++at;
  ADD_FAILURE() << name << " differs from the golden file: record " << at / recordLength + 1 << ", position "
                << at % recordLength + 1 << " (" << bytes.size() << " bytes built, " << golden.size()
                << " in the golden file)";
}

// A field of a record, by 1-based record number and position.
struct FieldExpectation {
  size_t record, pos;
  std::string_view text;
};

inline void ExpectFields(std::string_view file, size_t recordLength, std::initializer_list<FieldExpectation> fields) {
  for (const auto& f : fields) {
    const size_t at = (f.record - 1) * recordLength + f.pos - 1;
    ASSERT_LE(at + f.text.size(), file.size()) << "record " << f.record << " position " << f.pos;
    EXPECT_EQ(file.substr(at, f.text.size()), f.text) << "record " << f.record << " position " << f.pos;
  }
}

}  // namespace formet::test
