#include "store/packed_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "store/records.h"

namespace formet {
namespace {

// Every text read back as it was set, whatever the lengths around it: the
// lengths grow from one byte to two and four as the longest text needs.
TEST(PackedTextsTest, KeepsEveryTextWholeBesideTheOthers) {
  const std::string shortText = "IL", byte(255, 'a'), word(256, 'b'), big(70000, 'c');
  struct Case {
    size_t field;
    std::string text;
  };
  const Case cases[] = {{0, shortText}, {9, ""}, {8, word}, {16, byte}, {1, big}, {19, "x"}, {8, ""}, {1, "y"}};
  PackedTexts<20> texts;
  std::string expected[20];
  for (const auto& c : cases) {
    texts.Set(c.field, c.text);
    expected[c.field] = c.text;
    for (size_t k = 0; k < 20; ++k) ASSERT_EQ(texts.Get(k), expected[k]) << "field " << k << " after " << c.field;
  }
  PackedTexts<20> copy = texts;
  EXPECT_TRUE(copy == texts);
  copy.Set(19, "z");
  EXPECT_FALSE(copy == texts);
  EXPECT_EQ(texts.Get(19), "x");
  // A text set from a view of the same record.
  texts.Set(2, texts.Get(0));
  EXPECT_EQ(texts.Get(2), "IL");
  EXPECT_EQ(texts.Get(0), "IL");
  for (size_t k = 0; k < 20; ++k) texts.Set(k, "");
  EXPECT_TRUE(texts == PackedTexts<20>());
}

// The same record through its accessors, setters and column descriptions.
TEST(PackedTextsTest, RecordFieldsReadWhatWasWritten) {
  W2Record w;
  w.W2UniqueID = 7;
  w.SetWages("50000.00");
  w.SetExtraText3("last");
  w.SetField12aCode("0");
  EXPECT_EQ(w.Wages(), "50000.00");
  EXPECT_EQ(w.TextAt(W2Record::Text::ExtraText3), "last");
  EXPECT_EQ(w.Field12bCode(), "");
  for (const auto& f : RecordFields<W2Record>())
    if (std::string(f.column) == "Field12aCode") f.SetTextIn(w, "D");
  EXPECT_EQ(w.Field12aCode(), "D");
  W2Record other = w;
  EXPECT_EQ(other, w);
  other.SetWages("50000.01");
  EXPECT_NE(other, w);
}

}  // namespace
}  // namespace formet
