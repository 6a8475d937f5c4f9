#include "forms/efile_common.h"


#include "forms/money.h"
#include "records/identifying_numbers.h"
#include "records/states.h"
#include "store/company_database.h"
#include "store/global_doc.h"
#include "store/output_file.h"
#include "store/text_codec.h"

namespace formet::efile {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string CharList(std::string_view chars) {
  std::string list;
  for (char c : chars) {
    if (!list.empty()) list += " ";
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      list += "(a control character)";
    else
      list += c;
  }
  return list;
}

std::string Plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string WithoutBlank(std::string_view chars) {
  std::string kept;
  for (char c : chars)
    if (c != ' ') kept += c;
  return kept;
}

bool OnlyDigitsAndDashes(std::string_view text) {
  for (char c : text)
    if ((c < '0' || c > '9') && c != '-') return false;
  return true;
}

}  // namespace

void Report::Add(Severity severity, std::string_view where, std::string what) {
  // Every problem reads as a sentence.
  if (!what.empty() && what[0] >= 'a' && what[0] <= 'z') what[0] = static_cast<char>(what[0] - 'a' + 'A');
  problems_.push_back({severity, std::string(where), std::move(what)});
  if (severity == Severity::Error) ++errors_;
}

bool Report::Has(Severity severity, std::string_view where, std::string_view part) const {
  for (const auto& p : problems_)
    if (p.severity == severity && p.where == where && p.what.find(part) != std::string::npos) return true;
  return false;
}

std::string Report::Summary() const {
  if (problems_.empty()) return "no problems";
  std::string text;
  if (errors_ > 0) text = Plural(errors_, "error", "errors");
  if (WarningCount() > 0) {
    if (!text.empty()) text += " and ";
    text += Plural(WarningCount(), "warning", "warnings");
  }
  return text;
}

std::string Report::Text() const {
  std::string text;
  for (Severity s : {Severity::Error, Severity::Warning})
    for (const auto& p : problems_)
      if (p.severity == s)
        text += std::string(s == Severity::Error ? "Error: " : "Warning: ") + p.where + ": " + p.what + "\n";
  text += Summary() + ".\n";
  return text;
}

IdCheck CheckEin(std::string_view text) {
  IdCheck check;
  if (text.empty()) {
    check.problem = "is empty";
    return check;
  }
  const std::string digits = DigitsOf(text);
  if (!OnlyDigitsAndDashes(text) || digits.size() != 9) {
    check.problem = Quoted(text) + " must have 9 digits (##-#######)";
    return check;
  }
  if (digits.compare(0, 2, "00") == 0) {
    check.problem = Quoted(text) + " is not an employer identification number (none begins with 00)";
    return check;
  }
  check.digits = digits;
  return check;
}

IdCheck CheckSsn(std::string_view text, bool allowItin) {
  IdCheck check;
  if (text.empty()) {
    check.problem = "is empty";
    return check;
  }
  const std::string digits = DigitsOf(text);
  if (!OnlyDigitsAndDashes(text) || digits.size() != 9) {
    check.problem = Quoted(text) + " must have 9 digits (###-##-####)";
    return check;
  }
  if (!IsIssuableSsn(digits, allowItin)) {
    check.problem = Quoted(text) + " is not a valid number: " + NeverIssuedSsnRule(allowItin);
    return check;
  }
  check.digits = digits;
  return check;
}

FileText CheckText(Report& report, std::string_view where, std::string_view label, std::string_view text,
                   const TextRule& rule) {
  FileText file = ToFileText(text, rule.punctuation, rule.upper);
  if (!file.refused.empty()) {
    report.Error(where, std::string(label) + " " + Quoted(text) + " has the character" +
                            (file.refused.size() > 1 ? "s " : " ") + CharList(file.refused) +
                            ", which the file cannot carry; please retype it without");
  }
  if (!file.left.empty()) {
    const std::string others = WithoutBlank(rule.punctuation);
    report.Warning(where, std::string(label) + " " + Quoted(text) + " is written without " + CharList(file.left) +
                              (others.empty() ? std::string(" (the file takes letters and digits only)")
                                              : " (the file takes letters, digits and " + CharList(others) +
                                                    " only)"));
  }
  if (file.text.empty()) {
    if (rule.required && file.refused.empty()) report.Error(where, std::string(label) + " is empty; the file needs it");
    return file;
  }
  if (file.text.size() > rule.width) {
    file.text.resize(rule.width);
    while (!file.text.empty() && file.text.back() == ' ') file.text.pop_back();
    report.Warning(where, std::string(label) + " is longer than the " + std::to_string(rule.width) +
                              " characters the file holds; it is written as " + Quoted(file.text));
  }
  return file;
}

std::string CheckEmail(Report& report, std::string_view where, std::string_view label, std::string_view text,
                       size_t width, bool required) {
  if (text.empty()) {
    if (required) report.Error(where, std::string(label) + " is empty; the file needs it");
    return {};
  }
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b >= 0x7F) {
      report.Error(where, std::string(label) + " " + Quoted(text) +
                              " may hold no blank and no character outside the ASCII set");
      return {};
    }
  }
  const size_t at = text.find('@');
  if (at == std::string_view::npos || at == 0 || at + 1 >= text.size() ||
      text.find('@', at + 1) != std::string_view::npos) {
    report.Error(where, std::string(label) + " " + Quoted(text) + " is not an e-mail address");
    return {};
  }
  if (text.size() > width) {
    report.Error(where, std::string(label) + " " + Quoted(text) + " is longer than the " + std::to_string(width) +
                            " characters the file holds");
    return {};
  }
  return std::string(text);
}

Zip CheckZip(Report& report, std::string_view where, std::string_view label, std::string_view text,
             bool required) {
  const std::string digits = DigitsOf(text);
  bool otherCharacters = false;
  for (char c : text)
    if ((c < '0' || c > '9') && c != '-' && c != ' ') otherCharacters = true;
  if (digits.empty() && !otherCharacters) {
    if (required) report.Error(where, std::string(label) + " is empty; the file needs it");
    return {};
  }
  if (otherCharacters || (digits.size() != 5 && digits.size() != 9)) {
    report.Error(where, std::string(label) + " " + Quoted(text) + " must have 5 or 9 digits (#####-####)");
    return {};
  }
  return {digits.substr(0, 5), digits.size() == 9 ? digits.substr(5) : std::string()};
}

std::string CheckState(Report& report, std::string_view where, std::string_view label, std::string_view text,
                       bool required) {
  if (text.empty()) {
    if (required) report.Error(where, std::string(label) + " is empty; the file needs it");
    return {};
  }
  if (!FindState(text)) {
    report.Error(where, std::string(label) + " " + Quoted(text) + " is not a state of the list");
    return {};
  }
  return std::string(text);
}

int64_t CheckAmount(Report& report, std::string_view where, std::string_view label, std::string_view text,
                    size_t width) {
  if (text.empty()) return 0;
  size_t i = text[0] == '-' ? 1 : 0;
  size_t digits = 0, decimals = 0, points = 0;
  bool wellFormed = true;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      (points ? decimals : digits)++;
    } else if (c == '.' && points == 0) {
      ++points;
    } else {
      wellFormed = false;
    }
  }
  if (!wellFormed || digits + decimals == 0) {
    report.Error(where, std::string(label) + " " + Quoted(text) + " is not an amount");
    return 0;
  }
  const int64_t cents = ParseMoneyCents(text);
  if (cents < 0) {
    report.Error(where, std::string(label) + " is negative (" + std::string(text) +
                            "); the file holds no negative amounts");
    return 0;
  }
  if (!FitsMoney(cents, width)) {
    report.Error(where, std::string(label) + " " + DollarsText(cents) + " is too large for the " +
                            std::to_string(width) + " digits the file holds");
    return 0;
  }
  if (decimals > 2)
    report.Warning(where, std::string(label) + " " + Quoted(text) + " has more than two decimals; " +
                              DollarsText(cents) + " is reported");
  return cents;
}

std::string DollarsText(int64_t cents) {
  const bool negative = cents < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
  std::string whole = std::to_string(magnitude / 100);
  for (int pos = static_cast<int>(whole.size()) - 3; pos > 0; pos -= 3) whole.insert(static_cast<size_t>(pos), ",");
  const uint64_t rest = magnitude % 100;
  return std::string(negative ? "-$" : "$") + whole + "." + (rest < 10 ? "0" : "") + std::to_string(rest);
}

ChangeOp FilingRowChange(CGlobalDoc& doc, const char* table) {
  CompanyDatabase file;
  if (file.Open(doc.CompanyPath()) != 0) return ChangeOp::Update;
  int rows = -1;
  const int rc = file.Execute(std::string("SELECT COUNT(*) FROM ") + table,
                              [&](int columns, char** values) {
                                if (columns > 0 && values[0]) rows = ParseStoredInt(values[0]);
                              });
  return rc == 0 && rows == 0 ? ChangeOp::Insert : ChangeOp::Update;
}

std::optional<std::string> WriteFilingFile(const std::filesystem::path& path, std::string_view bytes) {
  return WriteOutputFile(path, bytes);
}

bool FormsCancelled(WorkProgress* progress, size_t done, size_t total) {
  if (!progress || done % 256 != 0) return false;
  progress->Step(done, total, "Checking and writing form " + std::to_string(done + 1) + " of " + std::to_string(total) +
                                  "...");
  return progress->Cancelled();
}

}  // namespace formet::efile
