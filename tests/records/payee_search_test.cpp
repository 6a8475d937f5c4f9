// What the search boxes over payees find.
#include <gtest/gtest.h>

#include "records/payee_search.h"

namespace formet {
namespace {

struct SearchCase {
  const char* search;
  bool found;
};

TEST(PayeeSearch, NamesAndNumbersAsTyped) {
  // First, middle and last name, then the SSN.
  const std::vector<std::string> row = {"Maria", "J", "Gonz\xE1lez", "412-55-1001"};
  const PayeeSearchColumns columns{{0, 1, 2}, 3};
  const SearchCase cases[] = {
      {"", true},
      {"   ", true},
      {"gonz", true},
      {"GONZ\xC1L", true},  // a Windows-1252 capital finds its small letter
      {"mar gon", true},     // every word, each in any name
      {"maria smith", false},
      {"1001", true},
      {"412-55", true},
      {"4125 51", true},     // digits of the number, however grouped
      {"5510", true},
      {"9999", false},
      {"maria 1001", true},
      {"maria 2002", false},
      {"-", false},          // a dash alone is no number and no name
      {"x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesPayeeSearch(row, columns, c.search), c.found) << c.search;
}

TEST(PayeeSearch, ANumberIsLookedForOnlyInItsColumn) {
  // A TIN that holds the digits of a name column's number does not make it a
  // name, and a list without a number column finds digits only in names.
  const std::vector<std::string> row = {"Suite 12 Design", "", "36-7788123"};
  EXPECT_TRUE(MatchesPayeeSearch(row, {{0, 1}, 2}, "7788"));
  EXPECT_TRUE(MatchesPayeeSearch(row, {{0, 1}, 2}, "12"));      // in the TIN
  EXPECT_FALSE(MatchesPayeeSearch(row, {{0, 1}, std::nullopt}, "7788"));
  EXPECT_TRUE(MatchesPayeeSearch(row, {{0, 1}, std::nullopt}, "suite 12"));
  EXPECT_FALSE(MatchesPayeeSearch({"Ann"}, {{0, 5}, 7}, "123"));  // columns past the row are empty
}

TEST(PayeeSearch, FoldingKeepsWhatIsNoLetter) {
  EXPECT_EQ(FoldLetterCase("AbC-\xD7\xC9\x8A\x9F"), "abc-\xD7\xE9\x9A\xFF");
}

}  // namespace
}  // namespace formet
