#pragma once
// The field tables of the W-2 and 1099-MISC imports: per field its name, the
// check its column passes and where a row's value goes in the payee's record
// or in its form's. Written once as data for each flavour.
#include <span>
#include <string>
#include <string_view>

#include "forms/w2/box12_codes.h"
#include "import/column_checks.h"
#include "import/import_flavour.h"

namespace formet {

enum class ColumnCheck {
  Identifying,     // the flavour's own check of the payee's number
  Required,        // not empty (`empty`), at most `limit` (`message` with %d)
  Length,          // at most `limit` (`message` with %d)
  LabelledLength,  // at most `limit`, named by the label `message`
  State,           // an entry of the state table, at most 2 characters
  Number,          // an import number, or empty
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
  std::string Payee::*payeeText = nullptr;
  int32_t Payee::*payeeFlag = nullptr;
  std::string Form::*formText = nullptr;
  int32_t Form::*formFlag = nullptr;
  int kept = 0;
};

// The checks shared by the flavours (all but Identifying).
template <class Payee, class Form>
void CheckField(const ImportField<Payee, Form>& f, const ImportColumn& column, ErrorReport& report) {
  const auto limit = static_cast<size_t>(f.limit);
  switch (f.check) {
    case ColumnCheck::Identifying: break;
    case ColumnCheck::Required: {
      const std::string tooLong = FormatMessage(f.message, f.limit);
      ForEachValue(column, report, [&](size_t row, std::string_view value) {
        if (IsBlank(value)) report.Add(row, f.empty);  // spaces alone are no name
        if (value.size() > limit) report.Add(row, tooLong);
      });
      break;
    }
    case ColumnCheck::Length: CheckLength(column, limit, f.message, report); break;
    case ColumnCheck::LabelledLength: CheckLabelledLength(column, f.message, limit, report); break;
    case ColumnCheck::State: CheckStates(column, report); break;
    case ColumnCheck::Number: CheckNumbers(column, report); break;
    case ColumnCheck::ZeroOrOne: CheckZeroOrOne(column, f.message, report); break;
    case ColumnCheck::Box12Code: {
      // The two-letter codes AA and BB are codes; any other text longer than
      // one character is too long, and one character must be a 2007 code.
      ForEachValue(column, report, [&](size_t row, std::string_view value) {
        if (value.empty() || IsBox12Code(value)) return;
        if (value.size() > limit) {
          report.Add(row, std::string("Field too long: \"") + f.message + "\" can't be more than " +
                              std::to_string(f.limit) + " characters long.");
        } else {
          report.Add(row, InvalidBox12CodeMessage(value));
        }
      });
      break;
    }
  }
}

// Puts a row's values into a blank payee and form.
template <class Payee, class Form>
void FillRecords(std::span<const ImportField<Payee, Form>> fields, const std::vector<std::string>& values,
                 Payee& payee, Form& form) {
  for (size_t i = 0; i < fields.size() && i < values.size(); ++i) {
    const auto& f = fields[i];
    // An identifying number is taken without the blanks around it.
    const std::string_view value =
        f.check == ColumnCheck::Identifying ? WithoutSurroundingBlanks(values[i]) : std::string_view(values[i]);
    const auto cut = [&] { return std::string(value.substr(0, static_cast<size_t>(f.kept))); };
    switch (f.place) {
      case Place::PayeeText: payee.*f.payeeText = cut(); break;
      case Place::PayeeFlag: payee.*f.payeeFlag = LeadingNumber(value); break;
      case Place::FormAmount: form.*f.formText = ImportedAmount(value); break;
      case Place::FormText: form.*f.formText = cut(); break;
      case Place::FormCode: form.*f.formText = HoldBox12Code(value); break;
      case Place::FormFlag: form.*f.formFlag = LeadingNumber(value); break;
    }
  }
}

// A catalogue made from a field table.
template <class Payee, class Form>
void AddFields(FieldCatalogue& catalogue, std::span<const ImportField<Payee, Form>> fields) {
  for (const auto& f : fields) catalogue.AddField(f.name);
}

}  // namespace formet
