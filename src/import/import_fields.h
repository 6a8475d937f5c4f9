#pragma once
// The field tables of the W-2 and 1099-MISC imports: per field its name, the
// check its column passes and where a row's value goes in the payee's record
// or in its form's. Written once as data for each flavour.
#include <algorithm>
#include <array>
#include <cassert>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/w2/box12_codes.h"
#include "import/column_checks.h"
#include "import/import_flavour.h"
#include "records/field_table.h"

namespace formet {

enum class ColumnCheck {
  Identifying,     // the flavour's own check of the payee's number
  // The three text checks also refuse what the page field of the text refuses (TypedRule).
  Required,        // not empty (`empty`), at most `limit` (`message` with %d)
  Length,          // at most `limit` (`message` with %d)
  LabelledLength,  // at most `limit`, named by the label `message`
  State,           // an entry of the state table, at most 2 characters
  Number,          // an amount (ReadImportAmount), or empty
  Box12Code,       // a 2007 box 12 code, or empty; longer than 1 named by `message`
  ZeroOrOne,       // "0", "1" or empty (`message` otherwise)
};

enum class Place {
  PayeeText,  // a text of the payee, cut to `kept`
  PayeeFlag,  // a number of the payee: the leading digits
  FormAmount, // an amount of the form, as ImportedAmount gives it
  FormText,   // a text of the form, cut to `kept`
  FormCode,   // a box 12 code of the W-2, held as the W-2 holds it
  FormFlag,   // a check box of the form: the leading digits
};

template <class Payee, class Form>
struct ImportField {
  const char* name;
  ColumnCheck check;
  const char* message = nullptr;
  const char* empty = nullptr;
  int limit = 0;
  Place place = Place::PayeeText;
  TextMember<Payee> payeeText = nullptr;
  int32_t Payee::*payeeFlag = nullptr;
  TextMember<Form> formText = nullptr;
  int32_t Form::*formFlag = nullptr;
  int kept = 0;
};

// The input rule of the page or dialog field that edits the member an
// import field's text goes to: the Employee dialog's "Last name" for the
// import's last name, the W-2 page's box 14 line for "Other Line 1". What
// that field refuses (its characters, its mask, its length) the import
// refuses too, so that every way in keeps the same rules. Nullopt for a
// field whose value is no such text (amounts, codes, check boxes), and for
// a list of the page (the states, which the import checks against the
// same table).
template <class Payee, class Form>
std::optional<EditRule> TypedRule(const ImportField<Payee, Form>& f, std::span<const FieldSpec<Payee>> payeeFields,
                                  std::span<const FieldSpec<Form>> formFields) {
  const auto rule = [](const auto& fields, std::optional<size_t> at) -> std::optional<EditRule> {
    if (!at) return std::nullopt;
    const auto& field = fields[*at];
    if (field.kind != FieldKind::Text && field.kind != FieldKind::Mask) return std::nullopt;
    return RuleOf(field);
  };
  switch (f.place) {
    case Place::PayeeText: return rule(payeeFields, FieldIndex(payeeFields, f.payeeText));
    case Place::FormText: return rule(formFields, FieldIndex(formFields, f.formText));
    default: return std::nullopt;
  }
}

// TypedRule of every field of a table, in order. Every text the import
// checks (a name, an address, a number, a box 14 line...) has its page field.
template <class Payee, class Form>
std::vector<std::optional<EditRule>> TypedRules(std::span<const ImportField<Payee, Form>> fields,
                                                std::span<const FieldSpec<Payee>> payeeFields,
                                                std::span<const FieldSpec<Form>> formFields) {
  std::vector<std::optional<EditRule>> rules;
  for (const auto& f : fields) {
    rules.push_back(TypedRule(f, payeeFields, formFields));
    [[maybe_unused]] const bool text = f.check == ColumnCheck::Identifying || f.check == ColumnCheck::Required ||
                                       f.check == ColumnCheck::Length || f.check == ColumnCheck::LabelledLength;
    assert(rules.back() || !text);
  }
  return rules;
}

// The checks shared by the flavours (all but Identifying). `typed` is the
// rule of the field's page field (TypedRule); a text longer than that field
// takes is refused as well as one longer than the import's own limit.
template <class Payee, class Form>
void CheckField(const ImportField<Payee, Form>& f, const std::optional<EditRule>& typed, const ImportColumn& column,
                ErrorReport& report) {
  size_t limit = static_cast<size_t>(f.limit);
  if (typed && typed->kind == FieldKind::Text && typed->maxLength > 0)
    limit = std::min(limit, static_cast<size_t>(typed->maxLength));
  const EditRule* rule = typed ? &*typed : nullptr;
  switch (f.check) {
    case ColumnCheck::Identifying: break;
    case ColumnCheck::Required:
      CheckTexts(column, f.empty, limit, FormatMessage(f.message, static_cast<int>(limit)), rule, report);
      break;
    case ColumnCheck::Length:
      CheckTexts(column, nullptr, limit, FormatMessage(f.message, static_cast<int>(limit)), rule, report);
      break;
    case ColumnCheck::LabelledLength:
      CheckTexts(column, nullptr, limit, LabelledLengthMessage(f.message, limit), rule, report);
      break;
    case ColumnCheck::State: CheckStates(column, report); break;
    case ColumnCheck::Number: CheckAmounts(column, report); break;
    case ColumnCheck::ZeroOrOne: CheckZeroOrOne(column, f.message, report); break;
    case ColumnCheck::Box12Code: {
      // The two-letter codes AA and BB are codes; any other text longer than
      // one character is too long, and one character must be a 2007 code.
      ForEachValue(column, report, [&](size_t row, std::string_view value) {
        if (value.empty() || IsBox12Code(value)) return;
        if (value.size() > limit) report.Add(row, LabelledLengthMessage(f.message, limit));
        else report.Add(row, InvalidBox12CodeMessage(value));
      });
      break;
    }
  }
}

// A record's texts as strings, and back.
template <size_t N>
std::array<std::string, N> TextCopies(const PackedTexts<N>& texts) {
  std::array<std::string, N> copies;
  const auto views = texts.Views();
  for (size_t k = 0; k < N; ++k) copies[k] = views[k];
  return copies;
}
template <size_t N>
void AssignTexts(PackedTexts<N>& texts, const std::array<std::string, N>& copies) {
  std::array<std::string_view, N> views;
  for (size_t k = 0; k < N; ++k) views[k] = copies[k];
  texts.Assign(views);
}

// Puts a row's values into a blank payee and form. The texts are gathered
// first, so that each record's block of texts is made once.
template <class Payee, class Form>
void FillRecords(std::span<const ImportField<Payee, Form>> fields, const std::vector<std::string>& values,
                 Payee& payee, Form& form) {
  auto payeeTexts = TextCopies(payee.texts);
  auto formTexts = TextCopies(form.texts);
  const auto at = [](auto& texts, auto member) -> std::string& { return texts[static_cast<size_t>(member.index)]; };
  for (size_t i = 0; i < fields.size() && i < values.size(); ++i) {
    const auto& f = fields[i];
    // An identifying number is taken without the blanks around it.
    const std::string_view value =
        f.check == ColumnCheck::Identifying ? WithoutSurroundingBlanks(values[i]) : std::string_view(values[i]);
    const auto cut = [&] { return std::string(value.substr(0, static_cast<size_t>(f.kept))); };
    switch (f.place) {
      case Place::PayeeText: at(payeeTexts, f.payeeText) = cut(); break;
      case Place::PayeeFlag: payee.*f.payeeFlag = LeadingNumber(value); break;
      case Place::FormAmount: at(formTexts, f.formText) = ImportedAmount(value); break;
      case Place::FormText: at(formTexts, f.formText) = cut(); break;
      case Place::FormCode: at(formTexts, f.formText) = HoldBox12Code(value); break;
      case Place::FormFlag: form.*f.formFlag = LeadingNumber(value); break;
    }
  }
  AssignTexts(payee.texts, payeeTexts);
  AssignTexts(form.texts, formTexts);
}

// What the preview shows of a value: an amount as it will be stored, any
// other value as it is.
template <class Payee, class Form>
std::string ShownStoredText(const ImportField<Payee, Form>& f, std::string_view value) {
  return f.place == Place::FormAmount ? ImportedAmount(value) : std::string(value);
}

// A catalogue made from a field table.
template <class Payee, class Form>
void AddFields(FieldCatalogue& catalogue, std::span<const ImportField<Payee, Form>> fields) {
  for (const auto& f : fields) catalogue.AddField(f.name);
}

}  // namespace formet
