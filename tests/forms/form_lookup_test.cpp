// Finding a payee's form by the payee's id, as the form pages do on every
// step: the first form of an owner wins, and a list that changed since the
// last look is noted again.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "forms/form_page_rules.h"

namespace formet {
namespace {

struct Form {
  int32_t owner = 0;
};

TEST(FormLookupTest, FindsTheFirstFormOfEachOwnerAndNoneForOthers) {
  const std::vector<Form> forms{{7}, {3}, {7}, {12}, {3}, {-2}};
  FormLookup lookup;
  const struct {
    int32_t owner;
    int position;
  } cases[] = {{7, 0}, {3, 1}, {12, 3}, {-2, 5}, {4, -1}, {0, -1}, {13, -1}};
  for (const auto& c : cases) EXPECT_EQ(lookup.Find(forms, &Form::owner, c.owner), c.position) << c.owner;
}

TEST(FormLookupTest, FollowsAListThatChanged) {
  std::vector<Form> forms{{1}, {2}, {3}};
  FormLookup lookup;
  ASSERT_EQ(lookup.Find(forms, &Form::owner, 2), 1);
  // Reordered, the same size: the old notes point at the wrong forms.
  forms = {{3}, {1}, {2}};
  EXPECT_EQ(lookup.Find(forms, &Form::owner, 2), 2);
  EXPECT_EQ(lookup.Find(forms, &Form::owner, 3), 0);
  // One removed, one added.
  forms = {{9}, {1}};
  EXPECT_EQ(lookup.Find(forms, &Form::owner, 9), 0);
  EXPECT_EQ(lookup.Find(forms, &Form::owner, 2), -1);
  forms.clear();
  EXPECT_EQ(lookup.Find(forms, &Form::owner, 1), -1);
}

}  // namespace
}  // namespace formet
