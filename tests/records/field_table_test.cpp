// The field tables of the company pages and the payee dialogs: what each
// field lets the user type and what the record keeps of it.
#include "records/field_table.h"

#include <gtest/gtest.h>

#include <set>

#include "kit/masked_edit_rules.h"
#include "records/company_setup.h"
#include "records/contractors.h"
#include "records/employees.h"

namespace formet {
namespace {

// Types `keys` into a fresh field set up as `field` says, as the keyboard would.
template <class R>
std::string Type(const FieldSpec<R>& field, const std::string& keys) {
  maskedit::MaskedEdit edit;
  ConfigureEdit(field, edit);
  maskedit::Effects effects;
  for (char c : keys) edit.OnChar(c, effects);
  return edit.Text();
}

TEST(StateTable, SixtyOneEntriesEmptyFirstUnsorted) {
  const auto states = StateTable();
  ASSERT_EQ(states.size(), 61u);
  EXPECT_EQ(states[0], "");
  EXPECT_EQ(states[1], "AA");
  EXPECT_EQ(states[60], "WY");
  EXPECT_EQ(std::set<std::string_view>(states.begin(), states.end()).size(), 61u);
  // Listed as given, not sorted: the military codes AA, AC, AE come before AK.
  for (auto [state, index] : std::initializer_list<std::pair<const char*, int>>{
           {"AA", 1}, {"AC", 2}, {"AE", 3}, {"AK", 4}, {"AP", 6}, {"GU", 17}, {"MP", 32}, {"NY", 42},
           {"PR", 47}, {"VI", 55}, {"WY", 60}, {"", 0}}) {
    EXPECT_EQ(FindState(state), index) << state;
    EXPECT_EQ(StateAt(index), state);
  }
  // Exact match only.
  for (const char* missing : {"ny", "N", "NYC", " NY", "XX"}) EXPECT_FALSE(FindState(missing)) << missing;
  EXPECT_FALSE(StateAt(-1));
  EXPECT_FALSE(StateAt(61));
}

TEST(KindOfPayer, SevenEntriesInOrder) {
  const auto kinds = KindOfPayerList();
  const std::vector<std::string_view> expected = {"941", "CT-1", "Military", "Hshld. emp.", "943",
                                                  "Medicare govt. emp.", "944"};
  EXPECT_EQ(std::vector<std::string_view>(kinds.begin(), kinds.end()), expected);
}

// Every edit field of the three company tabs and both payee dialogs: the
// names of people and payers take the apostrophe (O'Brien is O'Brien on the
// W-2), every other field refuses it; the employer name refuses the slash
// that the other text fields take. No name takes the other refused characters.
TEST(Fields, ApostropheInNamesOnly) {
  const std::set<std::string> names = {"company EmployerName",    "company FormW3ContactName",
                                       "company Form1096ContactName", "company Form1096FilerName",
                                       "employee FirstName",      "employee MiddleName",
                                       "employee LastName",       "contractor NameLine1",
                                       "contractor NameLine2"};
  int checked = 0, named = 0;
  auto check = [&](const auto& table, const char* where) {
    for (const auto& f : table) {
      if (!f.IsEdit()) continue;
      ++checked;
      const std::string key = std::string(where) + " " + f.column;
      const bool name = names.count(key) != 0;
      named += name;
      const bool employerName = key == "company EmployerName";
      const std::string typed = Type(f, "1'");
      EXPECT_EQ(typed.find('\'') != std::string::npos, name) << key;
      if (f.kind == FieldKind::Text) {
        EXPECT_EQ(Type(f, "/") == "/", !employerName) << key;
        EXPECT_EQ(Type(f, "%*\"+?><:\\"), "") << key;
      }
    }
  };
  check(CompanyFields(), "company");
  check(EmployeeFields(), "employee");
  check(ContractorFields(), "contractor");
  EXPECT_EQ(checked, 22 + 9 + 8);
  EXPECT_EQ(named, 9);
  EXPECT_EQ(Type(CompanyFields()[CompanyFieldIndex(CompanyRecord::Text::EmployerName)], "O'Brien & Sons"),
            "O'Brien & Sons");
  EXPECT_EQ(Type(EmployeeFields()[EmployeeFieldIndex(EmployeeRecord::Text::LastName)], "O'Brien"), "O'Brien");
}

TEST(Fields, TheStandardAndNameExclusions) {
  // Ten characters each; the name exclusion trades the apostrophe for the slash.
  EXPECT_EQ(kStandardExclusion.size(), 10u);
  EXPECT_EQ(kNameExclusion.size(), 10u);
  for (char c : std::string("%*\"+?><:\\")) {
    EXPECT_NE(kStandardExclusion.find(c), std::string_view::npos) << c;
    EXPECT_NE(kNameExclusion.find(c), std::string_view::npos) << c;
    EXPECT_NE(kFileNameExclusion.find(c), std::string_view::npos) << c;
  }
  EXPECT_NE(kStandardExclusion.find('\''), std::string_view::npos);
  EXPECT_EQ(kNameExclusion.find('\''), std::string_view::npos);
  EXPECT_NE(kNameExclusion.find('/'), std::string_view::npos);
  EXPECT_EQ(kFileNameExclusion, std::string(kNameExclusion) + "|");
}

// What the company record keeps of 60 characters typed into each text field:
// the field takes no more than the record keeps (contact names: 20), so
// nothing typed is cut unseen.
TEST(CompanyFields, TypedTextIsCutToTheCapacity) {
  using R = CompanyRecord;
  struct Case {
    TextMember<R> member;
    size_t typed, kept;
  } cases[] = {
      {R::Text::EmployerName, 30, 30},         {R::Text::Address1, 30, 30},
      {R::Text::Address2, 30, 30},             {R::Text::City, 20, 20},
      {R::Text::StateID, 15, 15},              {R::Text::FormW3ControlNumber, 20, 20},
      {R::Text::FormW3EstablishmentNumber, 4, 4}, {R::Text::FormW3ThirdPartySickPay, 30, 30},
      {R::Text::FormW3ContactName, 20, 20},    {R::Text::FormW3Email, 40, 40},
      {R::Text::Form1096ContactName, 20, 20},  {R::Text::Form1096Email, 40, 40},
      {R::Text::Form1096FilerName, 59, 59},
  };
  size_t textFields = 0;
  for (const auto& f : CompanyFields()) textFields += f.kind == FieldKind::Text;
  EXPECT_EQ(textFields, std::size(cases));

  const std::string sixty(60, 'x');
  for (const auto& c : cases) {
    const size_t i = CompanyFieldIndex(c.member);
    PageValues values = LoadCompanyPages(CompanyRecord{});
    values[i].text = Type(CompanyFields()[i], sixty);
    EXPECT_EQ(values[i].text.size(), c.typed) << CompanyFields()[i].column;
    CompanyRecord record;
    SaveCompanyPages(values, record);
    EXPECT_EQ(c.member.In(record), std::string(c.kept, 'x')) << CompanyFields()[i].column;
  }
}

TEST(CompanyFields, MasksAndTheAmount) {
  using R = CompanyRecord;
  struct Case {
    TextMember<R> member;
    std::string keys, shown;
  } cases[] = {
      {R::Text::Zip, "123456789", "12345-6789"},
      {R::Text::EmployerIdentificationNumber, "123456789", "12-3456789"},
      {R::Text::SocialSecurityNumber, "123456789", "123-45-6789"},
      {R::Text::FormW3OtherEIN, "98x7654321", "98-7654321"},
      {R::Text::FormW3Telephone, "3125550100", "(312) 555-0100"},
      {R::Text::FormW3Fax, "312555010099", "(312) 555-0100"},
      {R::Text::Form1096Telephone, "2125550199", "(212) 555-0199"},
      {R::Text::Form1096Fax, "a2125550199", "(212) 555-0199"},
      // 9 whole digits and 2 decimals.
      {R::Text::FormW3IncomeTaxWithHeld, "1234567890.129", "123456789.12"},
  };
  for (const auto& c : cases) {
    const auto& f = CompanyFields()[CompanyFieldIndex(c.member)];
    EXPECT_EQ(Type(f, c.keys), c.shown) << f.column;
  }
}

TEST(CompanyFields, TabsAndOrder) {
  const auto fields = CompanyFields();
  ASSERT_EQ(fields.size(), 26u);
  int counts[3] = {};
  int lastTab = 0;
  for (const auto& f : fields) {
    ASSERT_GE(f.tab, lastTab) << f.column;  // tab by tab
    lastTab = f.tab;
    ++counts[f.tab];
  }
  EXPECT_EQ(counts[kGeneralTab], 9);
  EXPECT_EQ(counts[kW3Tab], 11);
  EXPECT_EQ(counts[k1096Tab], 6);
  EXPECT_STREQ(fields[0].label, "Employer Name");
  EXPECT_STREQ(fields.back().column, "Form1096CheckIsThisYourFinalReturn");
  const auto captions = CompanyTabCaptions();
  ASSERT_EQ(captions.size(), 3u);
  EXPECT_STREQ(captions[kW3Tab], "W3 Information");
  // Columns the pages do not show have no field.
  for (const auto& f : fields)
    for (const char* hidden : {"IsAgent", "AgentEIN", "FormW2Indicators", "Form1099Indicators",
                               "TaxJurisdictionCode", "ExtraText1", "ExtraText2", "ExtraText3"})
      EXPECT_STRNE(f.column, hidden);
}

TEST(PayeeFields, TypedTextIsCutToWhatTheRecordKeeps) {
  const std::string fifty(50, '7');
  {
    using R = EmployeeRecord;
    struct Case {
      TextMember<R> member;
      size_t kept;
    } cases[] = {{R::Text::SocialSecurityNumber, 11}, {R::Text::FirstName, 20}, {R::Text::MiddleName, 2}, {R::Text::LastName, 20},
                 {R::Text::Suffix, 3},  {R::Text::Address1, 30}, {R::Text::Address2, 30}, {R::Text::City, 20}, {R::Text::Zip, 10}};
    for (const auto& c : cases) {
      const size_t i = EmployeeFieldIndex(c.member);
      PageValues values = EmptyEmployeeDialog();
      values[i].text = Type(EmployeeFields()[i], fifty);
      EXPECT_EQ(c.member.In(ReadEmployeeDialog(values)).size(), c.kept) << EmployeeFields()[i].column;
    }
  }
  {
    using R = ContractorRecord;
    struct Case {
      TextMember<R> member;
      size_t kept;
    } cases[] = {{R::Text::IdentificationNumber, 11}, {R::Text::NameLine1, 39}, {R::Text::NameLine2, 39},
                 {R::Text::Address1, 30}, {R::Text::Address2, 30}, {R::Text::City, 20}, {R::Text::Zip, 10}, {R::Text::AccountNumber, 12}};
    for (const auto& c : cases) {
      const size_t i = ContractorFieldIndex(c.member);
      PageValues values = EmptyContractorDialog();
      values[i].text = Type(ContractorFields()[i], fifty);
      EXPECT_EQ(c.member.In(ReadContractorDialog(values)).size(), c.kept) << ContractorFields()[i].column;
    }
  }
  // A text handed in without typing (an older record's 40-character name
  // line) is still cut when it is read back.
  PageValues values = EmptyContractorDialog();
  values[ContractorFieldIndex(ContractorRecord::Text::NameLine1)].text = std::string(40, 'n');
  EXPECT_EQ(ReadContractorDialog(values).NameLine1(), std::string(39, 'n'));
}

TEST(FieldInput, ProblemsAndKeptText) {
  const auto& ssn = EmployeeFields()[EmployeeFieldIndex(EmployeeRecord::Text::SocialSecurityNumber)];
  const auto& first = EmployeeFields()[EmployeeFieldIndex(EmployeeRecord::Text::FirstName)];
  const auto& suffix = EmployeeFields()[EmployeeFieldIndex(EmployeeRecord::Text::Suffix)];
  const auto& zip = EmployeeFields()[EmployeeFieldIndex(EmployeeRecord::Text::Zip)];
  const auto& amount = CompanyFields()[CompanyFieldIndex(CompanyRecord::Text::FormW3IncomeTaxWithHeld)];
  struct Case {
    EditRule rule;
    std::string input;
    bool accepted;
    std::string kept;
  } cases[] = {
      {RuleOf(ssn), "123456789", true, "123-45-6789"},
      {RuleOf(ssn), "123-45-6789", true, "123-45-6789"},
      {RuleOf(ssn), "123-45", true, "123-45"},
      {RuleOf(ssn), "", true, ""},
      {RuleOf(ssn), "123-45-67890", false, ""},
      {RuleOf(ssn), "123 45 6789", false, ""},
      {RuleOf(ssn), "1-2345", false, ""},
      {RuleOf(ssn), "12a", false, ""},
      {RuleOf(zip), "606011234", true, "60601-1234"},
      {RuleOf(zip), "60601", true, "60601"},
      {RuleOf(first), std::string(20, 'j'), true, std::string(20, 'j')},
      {RuleOf(first), std::string(21, 'j'), false, ""},
      {RuleOf(first), "Ann-Marie", true, "Ann-Marie"},
      {RuleOf(first), "O'Neil", true, "O'Neil"},
      {RuleOf(first), "O\"Neil", false, ""},
      {RuleOf(suffix), "J'r", false, ""},
      {RuleOf(first), "50%", false, ""},
      {RuleOf(amount), "1234.50", true, "1234.50"},
      {RuleOf(amount), "-12.5", true, "-12.5"},
      {RuleOf(amount), "12.345", false, ""},
      {RuleOf(amount), "1,234", false, ""},
  };
  for (const auto& c : cases) {
    const auto problem = FieldInputProblem(c.rule, c.input);
    EXPECT_EQ(!problem.has_value(), c.accepted) << c.input << ": " << problem.value_or("");
    if (c.accepted) {
      EXPECT_EQ(FieldInputText(c.rule, c.input), c.kept) << c.input;
    }
  }
  EXPECT_EQ(FieldInputProblem(RuleOf(suffix), "J'r"), "cannot contain the character \"'\"");
}

}  // namespace
}  // namespace formet
