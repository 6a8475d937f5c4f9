#include "forms/w2/w2c_hand_made.h"

#include <cctype>
#include <utility>

#include "forms/fixed_width.h"
#include "forms/money.h"
#include "forms/w2/box12_codes.h"

namespace formet {
namespace {

using R = W2Record;

struct AmountKey {
  const char* key;
  TextMember<R> member;
};
constexpr AmountKey kAmounts[] = {
    {"1", R::Text::Wages},           {"2", R::Text::FederalIncomeTaxWithdrawal}, {"3", R::Text::SocialSecurityWages},
    {"4", R::Text::SocialSecurityTaxWithheld}, {"5", R::Text::MedicareWages},     {"6", R::Text::MedicareTaxWithheld},
    {"7", R::Text::SocialSecurityTips}, {"8", R::Text::AllocatedTips},            {"9", R::Text::AdvancEICPayment},
    {"10", R::Text::DependentCareBenefits}, {"11", R::Text::NonQualifiedPlans},   {"16", R::Text::StateWages1},
    {"16.2", R::Text::StateWages2},  {"17", R::Text::StateIncomTax1},             {"17.2", R::Text::StateIncomTax2},
    {"18", R::Text::LocalWages1},    {"18.2", R::Text::LocalWages2},              {"19", R::Text::LocalIncomeTax1},
    {"19.2", R::Text::LocalIncomeTax2}};
constexpr AmountKey kTexts[] = {{"14", R::Text::Other1},          {"14.2", R::Text::Other2}, {"14.3", R::Text::Other3},
                                {"20", R::Text::LocalityName1},   {"20.2", R::Text::LocalityName2}};
struct LineKey {
  const char* key;
  TextMember<R> code, amount;
};
constexpr LineKey kLines[] = {{"12a", R::Text::Field12aCode, R::Text::Field12aAmount},
                              {"12b", R::Text::Field12bCode, R::Text::Field12bAmount},
                              {"12c", R::Text::Field12cCode, R::Text::Field12cAmount},
                              {"12d", R::Text::Field12dCode, R::Text::Field12dAmount}};
struct StateKey {
  const char* key;
  TextMember<R> state, id;
};
constexpr StateKey kStates[] = {{"15", R::Text::State1, R::Text::StateID1}, {"15.2", R::Text::State2, R::Text::StateID2}};

constexpr HandMadeW2cKey kKeys[] = {
    {"1", "Wages, tips, other compensation"}, {"2", "Federal income tax withheld"},
    {"3", "Social security wages"},           {"4", "Social security tax withheld"},
    {"5", "Medicare wages and tips"},         {"6", "Medicare tax withheld"},
    {"7", "Social security tips"},            {"8", "Allocated tips"},
    {"9", "Advance EIC payment"},             {"10", "Dependent care benefits"},
    {"11", "Nonqualified plans"},             {"12a", "Code and amount"},
    {"12b", "Code and amount"},               {"12c", "Code and amount"},
    {"12d", "Code and amount"},               {"13", "Statutory employee, retirement plan, sick pay"},
    {"14", "Other"},                          {"14.2", "Other (line 2)"},
    {"14.3", "Other (line 3)"},               {"15", "State:Employer's state ID number"},
    {"16", "State wages, tips, etc."},        {"17", "State income tax"},
    {"18", "Local wages, tips, etc."},        {"19", "Local income tax"},
    {"20", "Locality name"},                  {"15.2", "State:Employer's state ID number (line 2)"},
    {"16.2", "State wages, tips, etc. (line 2)"}, {"17.2", "State income tax (line 2)"},
    {"18.2", "Local wages, tips, etc. (line 2)"}, {"19.2", "Local income tax (line 2)"},
    {"20.2", "Locality name (line 2)"},       {"ssn", "Social security number"},
    {"first", "First name"},                  {"middle", "Middle name"},
    {"last", "Last name"},                    {"suffix", "Suffix"}};

// An amount typed for a box: digits with at most one point, never negative.
std::optional<std::string> TypedAmount(const std::string& text) {
  if (text.empty()) return std::string("0.00");
  int points = 0;
  for (char c : text) {
    if (c == '.') ++points;
    else if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  if (points > 1 || text == ".") return std::nullopt;
  if (!ParseMoneyCentsExact(text)) return std::nullopt;
  return NormalizeMoney(text);
}


}  // namespace

std::span<const HandMadeW2cKey> HandMadeW2cKeys() { return kKeys; }

std::string HandMadeW2cValue(const FiledW2& row, const std::string& key) {
  const R& form = row.form;
  for (const auto& a : kAmounts)
    if (key == a.key) return std::string(a.member.In(form));
  for (const auto& t : kTexts)
    if (key == t.key) return std::string(t.member.In(form));
  for (const auto& l : kLines)
    if (key == l.key)
      return l.code.In(form).empty() ? std::string() : std::string(l.code.In(form)) + ":" + std::string(l.amount.In(form));
  for (const auto& s : kStates) {
    if (key != s.key) continue;
    if (s.state.In(form).empty() && s.id.In(form).empty()) return {};
    return std::string(s.state.In(form)) + ":" + std::string(s.id.In(form));
  }
  if (key == "13") {
    std::string words;
    for (const auto& [on, word] : {std::pair{form.StatutoryEmployee, "statutory"}, {form.RetirementPlan, "retirement"},
                                   {form.ThirdPartySickpay, "sick-pay"}})
      if (on) words += (words.empty() ? "" : ",") + std::string(word);
    return words;
  }
  const EmployeeRecord& e = row.employee;
  if (key == "ssn") return e.SocialSecurityNumber();
  if (key == "first") return e.FirstName();
  if (key == "middle") return e.MiddleName();
  if (key == "last") return e.LastName();
  if (key == "suffix") return e.Suffix();
  return {};
}

std::optional<std::string> SetHandMadeW2cValue(FiledW2& row, const std::string& key, const std::string& value) {
  R& form = row.form;
  for (const auto& a : kAmounts) {
    if (key != a.key) continue;
    const auto amount = TypedAmount(value);
    if (!amount) return "box " + key + " takes an amount such as 1250.00, not \"" + value + "\"";
    a.member.Set(form, *amount);
    return std::nullopt;
  }
  for (const auto& t : kTexts) {
    if (key != t.key) continue;
    t.member.Set(form, value);
    return std::nullopt;
  }
  for (const auto& s : kStates) {
    if (key != s.key) continue;
    const size_t colon = value.find(':');
    s.state.Set(form, value.substr(0, colon));
    s.id.Set(form, colon == std::string::npos ? "" : value.substr(colon + 1));
    return std::nullopt;
  }
  if (key == "13") {
    int32_t statutory = 0, retirement = 0, sickPay = 0;
    size_t from = 0;
    while (from < value.size()) {
      const size_t comma = value.find(',', from);
      const std::string word = value.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
      if (word == "statutory") statutory = 1;
      else if (word == "retirement") retirement = 1;
      else if (word == "sick-pay") sickPay = 1;
      else return "box 13 takes statutory, retirement and sick-pay, not \"" + word + "\"";
      if (comma == std::string::npos) break;
      from = comma + 1;
    }
    form.StatutoryEmployee = statutory;
    form.RetirementPlan = retirement;
    form.ThirdPartySickpay = sickPay;
    return std::nullopt;
  }
  for (const auto& l : kLines) {
    if (key != l.key) continue;
    if (value.empty()) {
      l.code.Set(form, "");
      l.amount.Set(form, "");
      return std::nullopt;
    }
    const size_t colon = value.find(':');
    const std::string code = value.substr(0, colon);
    if (!IsBox12Code(code)) return InvalidBox12CodeMessage(code);
    const auto amount = TypedAmount(colon == std::string::npos ? "" : value.substr(colon + 1));
    if (!amount || *amount == "0.00") return "box " + key + " takes CODE:AMOUNT, such as D:1500.00";
    l.code.Set(form, HoldBox12Code(code));
    l.amount.Set(form, *amount);
    return std::nullopt;
  }
  EmployeeRecord& e = row.employee;
  if (key == "ssn") {
    const std::string d = efile::DigitsOf(value);
    if (d.size() != 9) return "the social security number takes nine digits, ###-##-####";
    e.SetSocialSecurityNumber(d.substr(0, 3) + "-" + d.substr(3, 2) + "-" + d.substr(5));
    return std::nullopt;
  }
  if (key == "first") e.SetFirstName(value);
  else if (key == "middle") e.SetMiddleName(value);
  else if (key == "last") e.SetLastName(value);
  else if (key == "suffix") e.SetSuffix(value);
  else return "there is no box " + key + " on Form W-2c";
  return std::nullopt;
}

}  // namespace formet
