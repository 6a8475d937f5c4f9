#pragma once
// The fields of the company pages and of the employee and contractor dialogs,
// described once so that a page builds its controls from the table, fills
// them from a record and reads them back into it. Every field is a masked
// edit field (text, mask or amount kind), a drop-down list or a check box.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/states.h"
#include "store/records.h"

namespace formet {

// The standard exclusion: what every text field of the payer and payee pages
// refuses while typing (the apostrophe among them).
inline constexpr std::string_view kStandardExclusion = "%'*\"+?><:\\";
// The exclusion of the employer name: the apostrophe is allowed, the slash is not.
inline constexpr std::string_view kNameExclusion = "%*\"+?><:\\/";
// The exclusion of a person's or payee's name (an employee's names, a
// contractor's name lines, the contact and filer names): the standard
// exclusion without the apostrophe, so that O'Brien is written as typed.
inline constexpr std::string_view kPersonNameExclusion = "%*\"+?><:\\";
// The exclusion of the New Company dialog's fields, which name a file.
inline constexpr std::string_view kFileNameExclusion = "%*\"+?><:\\/|";

// Every amount of the forms and of the company's W-3 boxes: at most 9 whole
// digits, with the minus sign, kept with 2 decimals (999999999.99 at the
// most). The pages take no more digits as they are typed, and the command
// line and the import are held to the same.
inline constexpr int kAmountWholeDigits = 9;
inline constexpr int kAmountDecimalsKept = 2;

// True when an amount text (an optional sign, digits, optionally a point and
// digits) has at most kAmountWholeDigits whole digits, leading zeros aside:
// an amount the forms can hold once it is cut to kAmountDecimalsKept decimals.
bool AmountFitsForms(std::string_view amount);

enum class FieldKind {
  Text,         // free text: maxLength, refused
  Mask,         // fixed pattern: mask
  Amount,       // decimal number: wholeDigits, decimals
  StateList,    // drop-down list of the state table, stored as the entry's text
  KindOfPayer,  // drop-down list of the kinds of payer, stored as the entry's index
  CheckBox,     // stored as 0 or 1 (a number member), or as `on` / `off` (a text member)
  CodeList,     // drop-down list of `choices`, stored as the chosen entry's code
};

// An entry of a code list: the code the record holds, the caption the list
// shows and the word that names it on the command line.
struct ChoiceEntry {
  std::string_view code;
  std::string_view caption;
  std::string_view word;
};

// One field of a page or dialog and the record member it edits.
template <class R>
struct FieldSpec {
  int tab = 0;                      // page of a tabbed sheet (0 where there is one page)
  const char* label = "";           // caption beside the control; "\n" separates two lines
  const char* column = "";          // column (and member) name
  FieldKind kind = FieldKind::Text;
  TextMember<R> text = nullptr;   // text, mask, amount and state fields
  int32_t R::*number = nullptr;     // kind of payer and check boxes
  int maxLength = 0;                // text: characters that can be typed
  std::string_view refused = {};    // text: characters refused while typing
  std::string_view mask = {};       // mask: '#' a digit, anything else a literal
  int wholeDigits = 0;              // amount
  int decimals = 0;                 // amount
  int capacity = 0;                 // characters the record keeps (0 for numbers)
  std::span<const ChoiceEntry> choices = {};  // code list: its entries in list order
  std::string_view on = "1";        // check box over a text member: the texts of
  std::string_view off = "0";       // its two states

  bool IsEdit() const { return kind == FieldKind::Text || kind == FieldKind::Mask || kind == FieldKind::Amount; }
  // What a text field lets the user type: its limit, or the record's
  // capacity where that is smaller, so that nothing typed is cut unseen.
  int TypedLimit() const { return capacity > 0 && capacity < maxLength ? capacity : maxLength; }
};

// What one control shows: the text of an edit field, the selected entry of a
// list (-1 = no selection), or the state of a check box (0 or 1).
struct FieldValue {
  std::string text;
  int choice = -1;
  bool operator==(const FieldValue&) const = default;
};
// The controls of a page or dialog, in the order of its field table.
using PageValues = std::vector<FieldValue>;

// The first `capacity` characters of a text (a capacity of 0 keeps all).
std::string CutToCapacity(std::string_view text, int capacity);

// Sets up a masked edit field (the model of the input rules or the widget:
// anything with SetTextRule, SetMask and SetNumberRule) for a field.
template <class Edit, class R>
void ConfigureEdit(const FieldSpec<R>& field, Edit& edit) {
  switch (field.kind) {
    case FieldKind::Text: edit.SetTextRule(field.TypedLimit(), std::string(field.refused)); break;
    case FieldKind::Mask: edit.SetMask(std::string(field.mask)); break;
    case FieldKind::Amount: edit.SetNumberRule(field.wholeDigits, field.decimals); break;
    default: break;
  }
}

// The input rule of an edit field, apart from the record it edits.
struct EditRule {
  FieldKind kind = FieldKind::Text;
  int maxLength = 0;
  std::string_view refused = {};
  std::string_view mask = {};
  int wholeDigits = 0;
  int decimals = 0;
  int capacity = 0;
};

template <class R>
EditRule RuleOf(const FieldSpec<R>& f) {
  return {f.kind, f.TypedLimit(), f.refused, f.mask, f.wholeDigits, f.decimals, f.capacity};
}

// Why a text given from outside the page (the command line) cannot go into a
// field as the field would take it from the keyboard: a refused character,
// more characters than the field takes, or characters a mask or an amount
// has no place for. Nullopt when it is acceptable.
std::optional<std::string> FieldInputProblem(const EditRule& rule, std::string_view text);
// The text a field keeps of an acceptable input: a mask's literals filled in
// ("123456789" in "###-##-####" gives 123-45-6789).
std::string FieldInputText(const EditRule& rule, std::string_view text);

// The entries of the Kind of Payer list, in order; the record holds the index.
std::span<const std::string_view> KindOfPayerList();

// The entry of a code list whose code is exactly `code`.
std::optional<int> FindChoice(std::span<const ChoiceEntry> choices, std::string_view code);
// The entry a command-line word names: its code or its word, in any case.
std::optional<int> FindChoiceByWord(std::span<const ChoiceEntry> choices, std::string_view word);

// Fills the controls from a record. A state not in the table selects
// `stateNotFound` (-1 = no selection, 0 = the empty first entry); a kind of
// payer outside the list and a code not in its list select nothing.
template <class R>
PageValues LoadValues(std::span<const FieldSpec<R>> table, const R& record, int stateNotFound) {
  PageValues values(table.size());
  for (size_t i = 0; i < table.size(); ++i) {
    const auto& f = table[i];
    auto& v = values[i];
    switch (f.kind) {
      case FieldKind::StateList: v.choice = FindState(f.text.In(record)).value_or(stateNotFound); break;
      case FieldKind::KindOfPayer: {
        const int32_t n = record.*f.number;
        v.choice = n >= 0 && static_cast<size_t>(n) < KindOfPayerList().size() ? n : -1;
        break;
      }
      case FieldKind::CheckBox:
        v.choice = f.number ? (record.*f.number != 0 ? 1 : 0) : (f.text.In(record) == f.on ? 1 : 0);
        break;
      case FieldKind::CodeList: v.choice = FindChoice(f.choices, f.text.In(record)).value_or(-1); break;
      default: v.text = f.text.In(record); break;
    }
  }
  return values;
}

// Reads the controls into a record: each text cut to its capacity; a list
// with no selection leaves its member as it was; a check box gives 0 or 1
// (or its `on` / `off` text); a code list gives the chosen entry's code.
template <class R>
void StoreValues(std::span<const FieldSpec<R>> table, const PageValues& values, R& record) {
  for (size_t i = 0; i < table.size() && i < values.size(); ++i) {
    const auto& f = table[i];
    const auto& v = values[i];
    switch (f.kind) {
      case FieldKind::StateList:
        if (auto state = StateAt(v.choice)) f.text.Set(record, std::string(*state));
        break;
      case FieldKind::KindOfPayer:
        if (v.choice >= 0 && static_cast<size_t>(v.choice) < KindOfPayerList().size()) record.*f.number = v.choice;
        break;
      case FieldKind::CheckBox:
        if (f.number)
          record.*f.number = v.choice > 0 ? 1 : 0;
        else
          f.text.Set(record, std::string(v.choice > 0 ? f.on : f.off));
        break;
      case FieldKind::CodeList:
        if (v.choice >= 0 && static_cast<size_t>(v.choice) < f.choices.size())
          f.text.Set(record, std::string(f.choices[static_cast<size_t>(v.choice)].code));
        break;
      default: f.text.Set(record, CutToCapacity(v.text, f.capacity)); break;
    }
  }
}

// After a dialog over a stored record: every field the user left as it was
// loaded takes the stored record's value back, so that what the dialog could
// not show exactly (a state not in the table) is not lost, and a dialog
// closed with nothing edited gives the stored values.
template <class R>
void KeepUntouchedFields(std::span<const FieldSpec<R>> table, const PageValues& loaded, const PageValues& values,
                         const R& stored, R& record) {
  for (size_t i = 0; i < table.size() && i < loaded.size() && i < values.size(); ++i) {
    if (!(loaded[i] == values[i])) continue;
    const auto& f = table[i];
    if (f.text) f.text.Set(record, f.text.In(stored));
    if (f.number) record.*f.number = stored.*f.number;
  }
}

// A check that failed on a dialog's fields: the message for the user and
// the field (its position in the dialog's table) to put the cursor in.
struct FieldProblem {
  std::string message;
  size_t field = 0;
  bool operator==(const FieldProblem&) const = default;
};

// The position of the field edited through `member` in a table.
template <class R>
std::optional<size_t> FieldIndex(std::span<const FieldSpec<R>> table, TextMember<R> member) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].text == member) return i;
  return std::nullopt;
}
template <class R>
std::optional<size_t> FieldIndex(std::span<const FieldSpec<R>> table, int32_t R::*member) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].number == member) return i;
  return std::nullopt;
}

}  // namespace formet
