#pragma once
// E-mail-ready copies: one PDF file for each employee or recipient, holding
// the copies that payee gets, named after the company, the form and the
// payee, and, when asked, opened only with a password of the payee's own.
//
// These are the rules of such a print: which copies a file holds, what it is
// called, which password it gets. Drawing the pages, protecting the file and
// writing it are the canvas's and the file writer's.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/print/print_layout.h"
#include "store/print_settings.h"
#include "store/records.h"

namespace formet {

// ---- the copies of a file -----------------------------------------------------------

// Whether a copy of the form's list may go into a payee's file: a copy that
// carries the payee's data on blank paper (W-2: the 4-Up sheet and Copies 1,
// 2, B, C and D; 1099-MISC: Copies 1, B, 2 and C). The instruction pages
// hold no data, and Copy A goes to the SSA, not to the employee.
bool PayeeCopyAllowed(PrintForm form, int copy);

// The copy types of a payee's file, page group by page group. With no copy
// chosen, the copies the payee gets: for the W-2 Copies B, C and 2, each
// followed by its instructions (the back of the paper copy); for the
// 1099-MISC Copy B followed by its instructions. A chosen copy gives that
// copy followed by its instructions when it has any (the 4-Up sheet, which
// holds Copies B, C and 2, by the instructions of all three). Empty for a
// copy PayeeCopyAllowed refuses.
std::vector<int> PayeeCopyTypes(PrintForm form, std::optional<int> copy);

// ---- file names -------------------------------------------------------------------

// A text made safe as part of a file name on every desktop system, keeping
// who it names: each character a file system refuses (/ \ : * ? " < > | and
// control characters) becomes "-" (so "A/B Plumbing" is "A-B Plumbing"),
// runs of blanks become one, and blanks and dots at either end go.
// Windows-1252 in and out.
std::string SafeFileNamePart(std::string_view text);

// The last four digits of an SSN or TIN (fewer when it has fewer).
std::string LastFourDigits(std::string_view number);

// How a file names its payee: an employee as "LAST, FIRST" (the one that is
// there when the other is empty), a contractor by its first name line.
std::string W2PayeeName(const EmployeeRecord& employee);
std::string Form1099PayeeName(const ContractorRecord& contractor);

// "COMPANY - W-2 2007 - LAST, FIRST - 1234.pdf", or for the 1099-MISC
// "COMPANY - 1099-MISC 2007 - NAME - 1234.pdf", each part made safe. A name
// whose UTF-8 form would be longer than kMaxPayeeFileNameBytes is shortened
// in the payee's name first, then in the company's.
std::string PayeeFileName(const std::string& company, PrintForm form, const std::string& payeeName,
                          const std::string& number);
inline constexpr size_t kMaxPayeeFileNameBytes = 255;

// ---- passwords --------------------------------------------------------------------

// The password a file gets unless the user gives others: the last four digits
// of the payee's SSN or TIN followed by the five digits of its ZIP code
// (60601 of "60601-1234"). Nullopt when the number has fewer than four digits
// or the ZIP code fewer than five.
std::optional<std::string> DefaultPayeePassword(std::string_view number, std::string_view zip);

// A password as a protected PDF holds it: at most this many bytes of UTF-8.
inline constexpr size_t kMaxPasswordBytes = 127;

// Passwords the user gives in a table (a CSV file read with its header): each
// row names its payee by SSN or TIN in the column headed "SSN", "TIN",
// "Social Security Number", "Identification Number", "Employee's social
// security number" or "Recipient's identification number" (the first such,
// case, blanks and punctuation aside), and matches the payee whose number
// has the same digits; the password is the column the user names, or the one
// headed "Password". Texts are Windows-1252.
class PayeePasswords {
 public:
  // The table's passwords, or the problem with the table (no column of SSNs
  // or TINs, no password column, a number given two different passwords, a
  // password longer than a PDF takes).
  static std::optional<PayeePasswords> FromTable(const std::vector<std::string>& header,
                                                 const std::vector<std::vector<std::string>>& rows,
                                                 const std::string& passwordColumn, std::string& problem);
  // The password of the payee with this number; nullopt when no row names it
  // or its password is empty.
  std::optional<std::string> For(std::string_view number) const;
  size_t Size() const { return entries_.size(); }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;  // digits, password; sorted by digits
};

// A table the user gives the passwords in, as read from its file: the header
// and the rows below it (Windows-1252).
struct TextTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

// ---- the files of a print ----------------------------------------------------------

// What the files of a print are made from: the open company's records (they
// must outlive the plan and its jobs) and the payee indexes in the order of
// the list shown. The W-2's lists for the W-2, the 1099-MISC's for it.
struct PayeeSource {
  PrintForm form = PrintForm::W2;
  std::string companyName;  // as the company is named (its file's name)
  const CompanyRecord* company = nullptr;
  const std::vector<EmployeeRecord>* employees = nullptr;
  const std::vector<W2Record>* w2s = nullptr;
  const std::vector<ContractorRecord>* contractors = nullptr;
  const std::vector<Form1099Record>* forms1099 = nullptr;
  std::vector<int> displayOrder;
};

// One payee's file.
struct PayeeFile {
  int payee = -1;          // index in the employee or contractor list
  size_t form = 0;         // index of its form in the W-2 or 1099-MISC list
  std::string number;      // SSN or TIN as stored
  std::string zip;
  std::string name;        // as the file names the payee
  std::string fileName;    // Windows-1252
};

// The files of a print of every payee, in the order of the list shown: one
// per payee that has a form (its first); a payee without one is left out and
// its index put in `skipped`. Two payees whose names would give the same file
// name (case aside) get " (2)", " (3)" ... before ".pdf".
std::vector<PayeeFile> PlanPayeeFiles(const PayeeSource& source, std::vector<int>* skipped = nullptr);

// The password of each file, in order: the table's when one is given, else
// DefaultPayeePassword. When a file has none, every such file's problem is
// put in `problems` (Windows-1252) and nothing is returned.
std::vector<std::string> PayeeFilePasswords(PrintForm form, const std::vector<PayeeFile>& files,
                                            const PayeePasswords* table, std::vector<std::string>& problems);

// The pages of one payee's file: each copy type of `copies` for that payee
// alone, one after the other, on blank paper. The job keeps its own copy of
// the records it prints.
std::unique_ptr<FormPrintJob> MakePayeeJob(const PayeeSource& source, const PayeeFile& file,
                                           const std::vector<int>& copies);

}  // namespace formet
