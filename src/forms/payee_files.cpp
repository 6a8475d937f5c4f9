#include "forms/payee_files.h"

#include <algorithm>
#include <cctype>
#include <type_traits>
#include <unordered_map>

#include "forms/1099/form1099_print.h"
#include "forms/w2/w2_print.h"
#include "kit/ascii_text.h"
#include "records/contractors.h"
#include "records/tax_year.h"
#include "store/text_codec.h"

namespace formet {
namespace {

// W-2 copy types (the list of the print options).
constexpr int kW2Copy1 = 1, kW2Copy2 = 2, kW2CopyB = 3, kW2CopyC = 4, kW2CopyD = 5;
constexpr int kW2InstructionsB = 6, kW2InstructionsC = 7, kW2Instructions2 = 8, kW2InstructionsD = 9;
// 1099-MISC copy types.
constexpr int k1099CopyB = 1, k1099CopyC = 3, k1099InstructionsC = 5;

bool IsBlank(char c) { return c == ' '; }

// A character no desktop file system takes in a name.
bool RefusedInFileName(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
         c == '<' || c == '>' || c == '|';
}

// A header as it is compared: lower case letters and digits only.
std::string HeaderKey(std::string_view header) {
  std::string key;
  for (char c : header) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u)) key += static_cast<char>(std::tolower(u));
  }
  return key;
}

constexpr const char* kNumberHeaders[] = {"ssn",
                                          "tin",
                                          "socialsecuritynumber",
                                          "identificationnumber",
                                          "employeessocialsecuritynumber",
                                          "recipientsidentificationnumber"};

size_t Utf8Size(std::string_view win1252) { return Win1252ToUtf8(win1252).size(); }

// Cuts characters off the end of `text` (then its end's blanks and dots)
// until `fits` holds or nothing is left.
template <class Fits>
void ShortenUntil(std::string& text, Fits fits) {
  while (!text.empty() && !fits()) {
    text.pop_back();
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '.')) text.pop_back();
  }
}

// Numbers two files of the same name (case aside): the second "NAME (2).pdf".
void MakeNamesUnique(std::vector<PayeeFile>& files) {
  std::unordered_map<std::string, int> seen;
  auto key = [](const std::string& name) {
    std::string k = name;
    for (char& c : k) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return k;
  };
  for (PayeeFile& f : files) {
    const std::string base = f.fileName.substr(0, f.fileName.size() - 4);  // without ".pdf"
    std::string name = f.fileName;
    for (int n = 2; seen.count(key(name)); ++n) name = base + " (" + std::to_string(n) + ").pdf";
    seen[key(name)] = 1;
    f.fileName = name;
  }
}

template <class Payee, class Form, class Name>
std::vector<PayeeFile> PlanFiles(const std::string& company, PrintForm printForm, const std::vector<Payee>& payees,
                                 const std::vector<Form>& forms, const std::vector<int>& displayOrder,
                                 int32_t Payee::*payeeId, int32_t Form::*formPayee, std::type_identity_t<TextMember<Payee>> number,
                                 Name name, std::vector<int>* skipped) {
  std::unordered_map<int32_t, size_t> hasForm;
  for (size_t i = 0; i < forms.size(); ++i) hasForm.emplace(forms[i].*formPayee, i);
  std::vector<PayeeFile> files;
  for (int index : displayOrder) {
    if (index < 0 || index >= static_cast<int>(payees.size())) continue;
    const Payee& payee = payees[static_cast<size_t>(index)];
    if (!hasForm.count(payee.*payeeId)) {
      if (skipped) skipped->push_back(index);
      continue;
    }
    PayeeFile f;
    f.payee = index;
    f.form = hasForm.at(payee.*payeeId);
    f.number = number.In(payee);
    f.zip = payee.Zip();
    f.name = name(payee);
    f.fileName = PayeeFileName(company, printForm, f.name, f.number);
    files.push_back(std::move(f));
  }
  MakeNamesUnique(files);
  return files;
}

// The pages of several jobs one after the other; the job owns the records
// they print.
template <class Payee, class Form>
class PayeeCopiesJob : public FormPrintJob {
 public:
  PayeeCopiesJob(const CompanyRecord& company, const Payee& payee, const Form& form)
      : company_(company), payees_{payee}, forms_{form} {}
  void Add(std::unique_ptr<FormPrintJob> part) { parts_.push_back(std::move(part)); }

  int PageCount() const override {
    int pages = 0;
    for (const auto& part : parts_) pages += part->PageCount();
    return pages;
  }
  void DrawPage(Canvas& canvas, int page) const override {
    for (const auto& part : parts_) {
      if (page <= part->PageCount()) {
        part->DrawPage(canvas, page);
        return;
      }
      page -= part->PageCount();
    }
  }

  const CompanyRecord company_;
  const std::vector<Payee> payees_;
  const std::vector<Form> forms_;

 private:
  std::vector<std::unique_ptr<FormPrintJob>> parts_;
};

// The settings of one copy of one payee on blank paper.
FormPrintSettings CopyOfOnePayee(int copy) {
  FormPrintSettings s;
  s.paperType = 0;
  s.printTarget = 0;
  s.blankCopyType = copy;
  return s;
}

// Why a payee's file cannot get its password.
std::string NoPasswordMessage(PrintForm form, const PayeeFile& file, bool fromTable) {
  const std::string who = (form == PrintForm::W2 ? "The employee " : "The contractor ") + file.name + " (" +
                          (form == PrintForm::W2 ? "SSN " : "TIN ") + file.number + ")";
  if (fromTable) return who + " has no password in the password file.";
  return who + " has no ZIP code of five digits to make the password of.";
}

}  // namespace

bool PayeeCopyAllowed(PrintForm form, int copy) {
  if (form == PrintForm::W2) return copy >= kW2FourUp && copy <= kW2CopyD;
  if (form == PrintForm::Form1099) return copy >= 0 && copy <= k1099CopyC;
  return false;
}

std::vector<int> PayeeCopyTypes(PrintForm form, std::optional<int> copy) {
  if (form == PrintForm::W2) {
    if (!copy) return {kW2CopyB, kW2InstructionsB, kW2CopyC, kW2InstructionsC, kW2Copy2, kW2Instructions2};
    switch (*copy) {
      case kW2FourUp: return {kW2FourUp, kW2InstructionsB, kW2InstructionsC, kW2Instructions2};
      case kW2Copy1: return {kW2Copy1};
      case kW2Copy2: return {kW2Copy2, kW2Instructions2};
      case kW2CopyB: return {kW2CopyB, kW2InstructionsB};
      case kW2CopyC: return {kW2CopyC, kW2InstructionsC};
      case kW2CopyD: return {kW2CopyD, kW2InstructionsD};
      default: return {};
    }
  }
  if (form == PrintForm::Form1099) {
    if (!copy) return {k1099CopyB, kForm1099InstructionsB};
    if (!PayeeCopyAllowed(form, *copy)) return {};
    if (*copy == k1099CopyB) return {k1099CopyB, kForm1099InstructionsB};
    if (*copy == k1099CopyC) return {k1099CopyC, k1099InstructionsC};
    return {*copy};
  }
  return {};
}

std::string SafeFileNamePart(std::string_view text) {
  std::string out;
  for (char c : text) {
    const char safe = RefusedInFileName(static_cast<unsigned char>(c)) ? '-' : c;
    if (IsBlank(safe) && (out.empty() || IsBlank(out.back()))) continue;
    out += safe;
  }
  const auto trimmed = [](char c) { return IsBlank(c) || c == '.'; };
  while (!out.empty() && trimmed(out.back())) out.pop_back();
  size_t start = 0;
  while (start < out.size() && trimmed(out[start])) ++start;
  return out.substr(start);
}

std::string LastFourDigits(std::string_view number) {
  const std::string d = DigitsOf(number);
  return d.size() > 4 ? d.substr(d.size() - 4) : d;
}

std::string W2PayeeName(const EmployeeRecord& e) {
  const std::string last = SafeFileNamePart(e.LastName()), first = SafeFileNamePart(e.FirstName());
  if (last.empty()) return first;
  if (first.empty()) return last;
  return last + ", " + first;
}

std::string Form1099PayeeName(const ContractorRecord& c) { return ContractorNameLines(c).line1; }

std::string PayeeFileName(const std::string& company, PrintForm form, const std::string& payeeName,
                          const std::string& number) {
  std::string companyPart = SafeFileNamePart(company);
  std::string namePart = SafeFileNamePart(payeeName);
  const std::string formPart = std::string(companyPart.empty() ? "" : " - ") +
                               (form == PrintForm::W2 ? "W-2 " : "1099-MISC ") + TaxYear::kYear + " - ";
  const std::string four = LastFourDigits(number);
  const std::string tail = (four.empty() ? "" : " - " + four) + ".pdf";
  const auto whole = [&] { return companyPart + formPart + namePart + tail; };
  const auto fits = [&] { return Utf8Size(whole()) <= kMaxPayeeFileNameBytes; };
  ShortenUntil(namePart, fits);
  ShortenUntil(companyPart, fits);
  return whole();
}

std::optional<std::string> DefaultPayeePassword(std::string_view number, std::string_view zip) {
  const std::string digits = DigitsOf(number), zipDigits = DigitsOf(zip);
  if (digits.size() < 4 || zipDigits.size() < 5) return std::nullopt;
  return digits.substr(digits.size() - 4) + zipDigits.substr(0, 5);
}

std::optional<PayeePasswords> PayeePasswords::FromTable(const std::vector<std::string>& header,
                                                        const std::vector<std::vector<std::string>>& rows,
                                                        const std::string& passwordColumn, std::string& problem) {
  std::optional<size_t> numberAt, passwordAt;
  for (size_t i = 0; i < header.size() && !numberAt; ++i)
    for (const char* name : kNumberHeaders)
      if (HeaderKey(header[i]) == name) numberAt = i;
  const std::string wanted = passwordColumn.empty() ? "Password" : passwordColumn;
  for (size_t i = 0; i < header.size() && !passwordAt; ++i)
    if (EqualsIgnoreCase1252(header[i], wanted)) passwordAt = i;
  if (!numberAt) {
    problem = "The password file has no column of social security or identification numbers: its header needs "
              "a column named \"SSN\" or \"TIN\".";
    return std::nullopt;
  }
  if (!passwordAt) {
    problem = "The password file has no column named \"" + wanted + "\".";
    return std::nullopt;
  }
  PayeePasswords table;
  for (size_t r = 0; r < rows.size(); ++r) {
    const auto& row = rows[r];
    const std::string digits = DigitsOf(*numberAt < row.size() ? row[*numberAt] : "");
    const std::string password = *passwordAt < row.size() ? row[*passwordAt] : "";
    if (digits.empty() || password.empty()) continue;
    if (Utf8Size(password) > kMaxPasswordBytes) {
      problem = "The password of row " + std::to_string(r + 1) + " of the password file is longer than " +
                std::to_string(kMaxPasswordBytes) + " bytes, more than a PDF file takes.";
      return std::nullopt;
    }
    table.entries_.emplace_back(digits, password);
  }
  std::stable_sort(table.entries_.begin(), table.entries_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < table.entries_.size(); ++i)
    if (table.entries_[i].first == table.entries_[i - 1].first &&
        table.entries_[i].second != table.entries_[i - 1].second) {
      problem = "The password file gives the number " + table.entries_[i].first + " two different passwords.";
      return std::nullopt;
    }
  return table;
}

std::optional<std::string> PayeePasswords::For(std::string_view number) const {
  const std::string digits = DigitsOf(number);
  const auto found = std::lower_bound(entries_.begin(), entries_.end(), digits,
                                      [](const auto& entry, const std::string& d) { return entry.first < d; });
  if (digits.empty() || found == entries_.end() || found->first != digits) return std::nullopt;
  return found->second;
}

std::vector<PayeeFile> PlanPayeeFiles(const PayeeSource& s, std::vector<int>* skipped) {
  if (s.form == PrintForm::W2)
    return PlanFiles(s.companyName, PrintForm::W2, *s.employees, *s.w2s, s.displayOrder,
                     &EmployeeRecord::EmployeeUniqueID, &W2Record::EmployeeUniqueID,
                     EmployeeRecord::Text::SocialSecurityNumber, W2PayeeName, skipped);
  return PlanFiles(s.companyName, PrintForm::Form1099, *s.contractors, *s.forms1099, s.displayOrder,
                   &ContractorRecord::ContractorUniqueID, &Form1099Record::ContractorUniqueID,
                   ContractorRecord::Text::IdentificationNumber, Form1099PayeeName, skipped);
}

std::vector<std::string> PayeeFilePasswords(PrintForm form, const std::vector<PayeeFile>& files,
                                            const PayeePasswords* table, std::vector<std::string>& problems) {
  std::vector<std::string> passwords;
  for (const PayeeFile& f : files) {
    const auto password = table ? table->For(f.number) : DefaultPayeePassword(f.number, f.zip);
    if (password) passwords.push_back(*password);
    else problems.push_back(NoPasswordMessage(form, f, table != nullptr));
  }
  if (!problems.empty()) passwords.clear();
  return passwords;
}

std::unique_ptr<FormPrintJob> MakePayeeJob(const PayeeSource& s, const PayeeFile& file,
                                           const std::vector<int>& copies) {
  if (s.form == PrintForm::W2) {
    auto job = std::make_unique<PayeeCopiesJob<EmployeeRecord, W2Record>>(
        *s.company, (*s.employees)[static_cast<size_t>(file.payee)], (*s.w2s)[file.form]);
    for (int copy : copies)
      job->Add(std::make_unique<W2PrintJob>(W2PrintData{&job->company_, &job->payees_, &job->forms_, {}, 0},
                                            CopyOfOnePayee(copy)));
    return job;
  }
  auto job = std::make_unique<PayeeCopiesJob<ContractorRecord, Form1099Record>>(
      *s.company, (*s.contractors)[static_cast<size_t>(file.payee)], (*s.forms1099)[file.form]);
  for (int copy : copies)
    job->Add(std::make_unique<Form1099PrintJob>(
        Form1099PrintData{&job->company_, &job->payees_, &job->forms_, {}, 0}, CopyOfOnePayee(copy)));
  return job;
}

}  // namespace formet
