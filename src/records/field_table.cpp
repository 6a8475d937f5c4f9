#include "records/field_table.h"

#include <array>
#include <cstdlib>

#include "kit/ascii_text.h"
#include "kit/masked_edit_rules.h"

namespace formet {
namespace {

constexpr std::array<std::string_view, 7> kKindsOfPayer = {"941",         "CT-1",                "Military", "Hshld. emp.",
                                                          "943",         "Medicare govt. emp.", "944"};

std::string Quoted(char c) { return std::string("\"") + c + "\""; }

}  // namespace

std::span<const std::string_view> KindOfPayerList() { return kKindsOfPayer; }

std::optional<int> FindChoice(std::span<const ChoiceEntry> choices, std::string_view code) {
  for (size_t i = 0; i < choices.size(); ++i)
    if (choices[i].code == code) return static_cast<int>(i);
  return std::nullopt;
}

std::optional<int> FindChoiceByWord(std::span<const ChoiceEntry> choices, std::string_view word) {
  const auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  };
  for (size_t i = 0; i < choices.size(); ++i)
    if ((!choices[i].code.empty() && same(choices[i].code, word)) || same(choices[i].word, word))
      return static_cast<int>(i);
  return std::nullopt;
}

bool AmountFitsForms(std::string_view amount) {
  size_t i = 0;
  if (i < amount.size() && (amount[i] == '-' || amount[i] == '+')) ++i;
  while (i < amount.size() && amount[i] == '0') ++i;
  size_t whole = 0;
  while (i < amount.size() && maskedit::IsDigit(amount[i])) {
    ++i;
    ++whole;
  }
  return whole <= static_cast<size_t>(kAmountWholeDigits);
}

std::string CutToCapacity(std::string_view text, int capacity) {
  if (capacity > 0 && text.size() > static_cast<size_t>(capacity)) text = text.substr(0, static_cast<size_t>(capacity));
  return std::string(text);
}

std::optional<std::string> FieldInputProblem(const EditRule& rule, std::string_view text) {
  switch (rule.kind) {
    case FieldKind::Text:
      for (char c : text)
        if (rule.refused.find(c) != std::string_view::npos) return "cannot contain the character " + Quoted(c);
      if (rule.maxLength > 0 && text.size() > static_cast<size_t>(rule.maxLength))
        return "is longer than " + std::to_string(rule.maxLength) + " characters";
      return std::nullopt;
    case FieldKind::Mask: {
      // Digits go on the mask's '#' places; the only other characters allowed
      // are the mask's own literals, and every digit must find its place.
      for (char c : text)
        if (!maskedit::IsDigit(c) && (c == '#' || rule.mask.find(c) == std::string_view::npos))
          return "does not fit the pattern " + std::string(rule.mask) + " (the character " + Quoted(c) + ")";
      const std::string valid = maskedit::MaskRule(std::string(rule.mask)).GetValidText(std::string(text));
      if (DigitsOf(valid) != DigitsOf(text)) return "does not fit the pattern " + std::string(rule.mask);
      return std::nullopt;
    }
    case FieldKind::Amount: {
      const std::string valid =
          maskedit::NumericRule(rule.wholeDigits, rule.decimals).GetValidText(std::string(text));
      // A negative digit count means the same count without a sign.
      if (valid != text) return "is not an amount of at most " + std::to_string(std::abs(rule.wholeDigits)) +
                                " whole digits and " + std::to_string(rule.decimals) + " decimals";
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

std::string FieldInputText(const EditRule& rule, std::string_view text) {
  std::string kept(text);
  switch (rule.kind) {
    case FieldKind::Text: kept = CutToCapacity(kept, rule.maxLength); break;
    case FieldKind::Mask: kept = maskedit::MaskRule(std::string(rule.mask)).GetValidText(kept); break;
    case FieldKind::Amount: kept = maskedit::NumericRule(rule.wholeDigits, rule.decimals).GetValidText(kept); break;
    default: break;
  }
  return CutToCapacity(kept, rule.capacity);
}

}  // namespace formet
