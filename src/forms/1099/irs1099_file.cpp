#include "forms/1099/irs1099_file.h"

#include <algorithm>
#include <map>
#include <span>
#include <unordered_map>

#include "forms/efile_choices.h"
#include "forms/money.h"
#include "records/contractors.h"

namespace formet::efile {
namespace {

constexpr std::string_view kPaymentYear = "2007";
constexpr size_t kAmountWidth = 12;
constexpr size_t kTotalWidth = 18;
constexpr size_t kCodeCount = 16;

// B amount n (0-based, in the order of kAmountCodes) and its C / K total.
constexpr size_t BPosition(size_t n) { return 55 + kAmountWidth * n; }
constexpr size_t CPosition(size_t n) { return 16 + kTotalWidth * n; }
constexpr size_t CodeIndex(char code) { return kAmountCodes.find(code); }
// Codes F and G: no 1099-MISC box.
constexpr bool IsUnusedCode(size_t n) { return n >= CodeIndex('F'); }

// The amount boxes of a 1099-MISC with their codes.
struct AmountBox {
  char code;
  const char* label;
  TextMember<Form1099Record> member;
};
const AmountBox kBoxes[] = {
    {'1', "Box 1 (rents)", Form1099Record::Text::Rents},
    {'2', "Box 2 (royalties)", Form1099Record::Text::Royalities},
    {'3', "Box 3 (other income)", Form1099Record::Text::OtherIncome},
    {'4', "Box 4 (federal income tax withheld)", Form1099Record::Text::FederalIncomeTaxWithheld},
    {'5', "Box 5 (fishing boat proceeds)", Form1099Record::Text::FishingBoatProceeds},
    {'6', "Box 6 (medical and health care payments)", Form1099Record::Text::MedicalAndHealthCarePayments},
    {'7', "Box 7 (nonemployee compensation)", Form1099Record::Text::NonemployeeCompensation},
    {'8', "Box 8 (substitute payments)", Form1099Record::Text::SubstitutePayments},
    {'A', "Box 10 (crop insurance proceeds)", Form1099Record::Text::CropInsuranceProceeds},
    {'B', "Box 13 (excess golden parachute payments)", Form1099Record::Text::ExcessGoldenParachutePayments},
    {'C', "Box 14 (gross proceeds paid to an attorney)", Form1099Record::Text::GrossProceedsPaidToAttorney},
    {'D', "Box 15a (section 409A deferrals)", Form1099Record::Text::Field15A},
    {'E', "Box 15b (section 409A income)", Form1099Record::Text::Field15B},
};

struct Blank {
  size_t pos, len;
};
constexpr Blank kTBlanks[] = {{6, 1}, {21, 7}, {281, 15}, {394, 2}, {411, 89}, {508, 10}, {740, 9}};
constexpr Blank kABlanks[] = {{42, 10}, {240, 260}, {508, 241}};
constexpr Blank kBBlanks[] = {{41, 14}, {328, 40}, {408, 40}, {499, 1}, {508, 36}, {545, 2}, {548, 115}};
constexpr Blank kBlanksBeforeTinFlagAt26[] = {{6, 6}};
constexpr Blank kBlanksBeforeTinFlagAt6[] = {{7, 5}};
constexpr Blank kCBlanks[] = {{10, 6}, {304, 196}, {508, 241}};
constexpr Blank kKBlanks[] = {{10, 6}, {304, 196}, {508, 199}, {743, 4}};
constexpr Blank kFBlanks[] = {{31, 19}, {58, 442}, {508, 241}};

// Where the payer record carries the combined filing flag and the type of return.
constexpr bool kFlagAt26 = kIrsPayerRecordLayout == PayerRecordLayout::CombinedFlagAt26;
constexpr size_t kCombinedFlagPos = kFlagAt26 ? 26 : 6;
constexpr size_t kTypeOfReturnPos = kFlagAt26 ? 27 : 26;
constexpr size_t kTypeOfReturnLen = kFlagAt26 ? 1 : 2;

TextRule TextOf(size_t width, bool required = false) {
  return {width, kIrsTextPunctuation, kIrsUpperCase, required};
}

bool IsLettersAndDigits(std::string_view text) {
  for (char c : text)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

std::string Upper(std::string_view text) {
  std::string up(text);
  for (char& c : up)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return up;
}

std::string Joined(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + " " + b;
}

// The shape of an identification number as typed: ##-####### or ###-##-####.
bool HasShape(std::string_view text, std::string_view shape) {
  if (text.size() != shape.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (shape[i] == '#' ? !digit : text[i] != shape[i]) return false;
  }
  return true;
}

// A taxpayer identification number (EIN or SSN) and its type: '1' an EIN,
// '2' an SSN or ITIN, ' ' when typed without dashes and not otherwise known.
struct Tin {
  std::string digits;
  char type = ' ';
};

Tin CheckTin(Report& report, std::string_view where, std::string_view label, std::string_view text,
             std::string_view storedType) {
  Tin tin;
  IdCheck check;
  if (HasShape(text, "##-#######")) {
    tin.type = '1';
    check = CheckEin(text);
  } else if (HasShape(text, "###-##-####")) {
    tin.type = '2';
    check = CheckSsn(text, true);
  } else {
    // Nine digits with no dashes: an EIN when it passes as one, an SSN when
    // it passes as one; the kind comes from the record where it says so.
    if (storedType == "1" || storedType == "2") tin.type = storedType[0];
    check = tin.type == '2' ? CheckSsn(text, true) : CheckEin(text);
    if (!check.problem && tin.type == ' ')
      report.Warning(where, std::string(label) + " \"" + std::string(text) +
                                "\" is typed without dashes, so the file cannot tell whether it is an EIN or an SSN; "
                                "type it as ##-####### or ###-##-####");
  }
  if (check.problem) report.Error(where, std::string(label) + " " + *check.problem);
  tin.digits = check.digits;
  return tin;
}

std::string_view ZipField(const Zip& zip, std::string& buffer) {
  buffer = zip.zip5;
  if (!zip.zip5.empty()) buffer += zip.ext4.empty() ? std::string("    ") : zip.ext4;
  return buffer;
}

void EndRecord(std::string& file, size_t sequence, size_t start) {
  RecordWriter rec(file, start, kIrsRecordWidth);
  rec.Count(500, 8, sequence);
  if (kIrsRecordEnd.size() == 2) {
    file[start + 748] = kIrsRecordEnd[0];
    file[start + 749] = kIrsRecordEnd[1];
  }
}

// The codes of the fields a block uses, in order: those with an amount in
// any of its forms; "1" when there is none.
std::string AmountCodesOf(const std::array<bool, kCodeCount>& used) {
  std::string codes;
  for (size_t i = 0; i < kCodeCount; ++i)
    if (used[i]) codes += kAmountCodes[i];
  if (codes.empty()) codes = kIrsDirectSalesOnlyCode;
  return codes;
}

// The name control of a name: its first four letters, digits, hyphens or
// ampersands, blank-filled.
std::string FourCharacters(std::string_view name) {
  const FileText folded = ToFileText(name, "&-", true);
  std::string control;
  for (char c : folded.text) {
    if (c == ' ') continue;
    control += c;
    if (control.size() == 4) break;
  }
  control.resize(4, ' ');
  return control;
}

// ---- T, A ------------------------------------------------------------------------

void WriteTransmitter(Report& report, const TransmitterRecord& t, std::string& file) {
  const std::string_view where = "Transmitter";
  IdCheck tin = HasShape(t.TransmitterTIN(), "###-##-####") ? CheckSsn(t.TransmitterTIN(), true)
                                                           : CheckEin(t.TransmitterTIN());
  if (tin.problem) report.Error(where, "the transmitter's TIN " + *tin.problem);
  const std::string tcc = Upper(t.TransmitterControlCode());
  if (tcc.empty())
    report.Error(where, "the Transmitter Control Code is empty; enter the five-character code the IRS gave you "
                        "when it approved your Form 4419");
  else if (tcc.size() != 5 || !IsLettersAndDigits(tcc))
    report.Error(where, "the Transmitter Control Code \"" + t.TransmitterControlCode() +
                            "\" must be 5 letters or digits");
  const FileText name = CheckText(report, where, "Transmitter name", t.TransmitterName(), TextOf(40, true));
  const FileText name2 =
      CheckText(report, where, "Transmitter name (continued)", t.TransmitterNameContinuation(), TextOf(40));
  const FileText company = CheckText(report, where, "Company name", t.CompanyName(), TextOf(40, true));
  const FileText company2 =
      CheckText(report, where, "Company name (continued)", t.CompanyNameContinuation(), TextOf(40));
  const FileText address =
      CheckText(report, where, "Mailing address", t.CompanyMailingAddress(), TextOf(40, true));
  const FileText city = CheckText(report, where, "City", t.CompanyCity(), TextOf(40, true));
  const std::string state = CheckState(report, where, "State", t.CompanyState(), true);
  const Zip zip = CheckZip(report, where, "Zip code", t.CompanyZipCode(), true);
  const FileText contact = CheckText(report, where, "Contact name", t.ContactName(), TextOf(40, true));
  const std::string phone = DigitsOf(t.ContactPhoneNumberAndExtension());
  if (phone.empty())
    report.Error(where, "the contact telephone number is empty; the file needs it");
  else if (phone.size() < 10 || phone.size() > 15)
    report.Error(where, "the contact telephone number and extension \"" + t.ContactPhoneNumberAndExtension() +
                            "\" must have 10 to 15 digits");
  const std::string email = CheckEmail(report, where, "Contact e-mail", t.ContactEmailAddress(), 35, false);
  const bool replacement = t.FileTypeReplacement != 0;
  if (replacement && t.FileTypeOriginal != 0)
    report.Error(where, "the file is marked both original and replacement; choose one");
  std::string replaced;
  if (replacement) {
    replaced = t.ElectronicFileNameForAReplacementFile();
    if (replaced.empty())
      report.Error(where, "a replacement file needs the name the IRS's FIRE system gave the file it replaces");
    else if (replaced.size() > 15 || ToFileText(replaced, ".-", false).text != replaced)
      report.Error(where, "the name of the replaced file \"" + replaced +
                              "\" must be at most 15 letters, digits, points or hyphens");
  }
  if (!t.TestFileIndicator().empty() && t.TestFileIndicator() != "T")
    report.Error(where, "the test file indicator \"" + t.TestFileIndicator() + "\" must be T or empty");

  const size_t start = file.size();
  RecordWriter rec(file, kIrsRecordWidth);
  rec.Put(1, 1, "T");
  rec.Put(2, 4, kPaymentYear);
  rec.Put(7, 9, tin.digits);
  rec.Put(16, 5, tcc);
  rec.Put(28, 1, t.TestFileIndicator() == "T" ? "T" : " ");
  rec.Text(30, 40, name);
  rec.Text(70, 40, name2);
  rec.Text(110, 40, company);
  rec.Text(150, 40, company2);
  rec.Text(190, 40, address);
  rec.Text(230, 40, city);
  rec.Put(270, 2, state);
  std::string zipBuffer;
  rec.Put(272, 9, ZipField(zip, zipBuffer));
  rec.Count(296, 8, 0);  // completed once the forms are written
  rec.Text(304, 40, contact);
  rec.Put(344, 15, phone);
  rec.Put(359, 35, email);
  rec.Put(396, 15, replaced);
  rec.Put(518, 1, std::string_view(&kIrsVendorIndicator, 1));
  if (kIrsVendorIndicator == 'V') {
    rec.Text(519, 40, ToFileText(kIrsVendorName, kIrsTextPunctuation, true));
    rec.Text(559, 40, ToFileText(kIrsVendorAddress, kIrsTextPunctuation, true));
    rec.Text(599, 40, ToFileText(kIrsVendorCity, kIrsTextPunctuation, true));
    rec.Put(639, 2, kIrsVendorState);
    rec.Put(641, 9, kIrsVendorZip);
    rec.Text(650, 40, ToFileText(kIrsVendorContact, kIrsTextPunctuation, true));
    rec.Put(690, 15, DigitsOf(kIrsVendorPhone));
    if (kIrsWriteVendorEmail) rec.Put(705, 35, kIrsVendorEmail);
  }
  EndRecord(file, 1, start);
}

struct Payer {
  size_t start = 0;  // of the A record in the file
};

Payer WritePayer(Report& report, const CompanyRecord& c, bool combined, size_t sequence, std::string& file) {
  const std::string_view where = "Company";
  Tin tin;
  if (!c.EmployerIdentificationNumber().empty()) {
    const IdCheck ein = CheckEin(c.EmployerIdentificationNumber());
    if (ein.problem) report.Error(where, "the employer identification number " + *ein.problem);
    tin.digits = ein.digits;
  } else if (!c.SocialSecurityNumber().empty()) {
    const IdCheck ssn = CheckSsn(c.SocialSecurityNumber(), true);
    if (ssn.problem) report.Error(where, "the social security number " + *ssn.problem);
    tin.digits = ssn.digits;
  } else {
    report.Error(where, "the payer's federal identification number is empty: enter the employer "
                        "identification number (or, for a sole proprietor without one, the social security "
                        "number) on the General Information page");
  }
  const FileText name = CheckText(report, where, "Employer name", c.EmployerName(), TextOf(40, true));
  const FileText address =
      CheckText(report, where, "Address", Joined(c.Address1(), c.Address2()), TextOf(40, true));
  const FileText city = CheckText(report, where, "City", c.City(), TextOf(40, true));
  const std::string state = CheckState(report, where, "State", c.State(), true);
  const Zip zip = CheckZip(report, where, "Zip code", c.Zip(), true);
  const std::string phone = DigitsOf(c.Form1096Telephone());
  if (!phone.empty() && phone.size() != 10)
    report.Error(where, "the telephone number \"" + c.Form1096Telephone() + "\" must have 10 digits");

  Payer payer;
  payer.start = file.size();
  RecordWriter rec(file, kIrsRecordWidth);
  rec.Put(1, 1, "A");
  rec.Put(2, 4, kPaymentYear);
  rec.Put(12, 9, tin.digits);
  rec.Put(25, 1, c.Form1096CheckIsThisYourFinalReturn != 0 ? "1" : " ");
  rec.Put(kCombinedFlagPos, 1, combined ? "1" : " ");
  rec.Put(kTypeOfReturnPos, kTypeOfReturnLen, "A");
  rec.Text(53, 40, name);
  rec.Put(133, 1, "0");
  rec.Text(134, 40, address);
  rec.Text(174, 40, city);
  rec.Put(214, 2, state);
  std::string zipBuffer;
  rec.Put(216, 9, ZipField(zip, zipBuffer));
  rec.Put(225, 15, phone);
  EndRecord(file, sequence, payer.start);
  return payer;
}

// ---- B ---------------------------------------------------------------------------

struct Sums {
  size_t count = 0;
  std::array<int64_t, kCodeCount> amount{};
  int64_t stateTax = 0;
  int64_t localTax = 0;
};

struct Block {
  Sums all;
  std::map<std::string, Sums> byState;  // Combined Federal/State code -> its forms
  std::array<bool, kCodeCount> used{};
};

// What one form's B record holds, once checked.
struct PayeeFields {
  Tin tin;
  FileText name1, name2, account, address, city;
  std::string state;
  Zip zip;
  std::array<int64_t, kCodeCount> amounts{};
  int64_t stateTax = 0;
  std::string_view combinedCode;
};

// Checks one 1099-MISC with its contractor, every problem in the report.
// A corrected return may report no amount (it is corrected to zero).
PayeeFields CheckPayee(Report& report, const Form1099Record& f, const ContractorRecord& c, bool combined,
                       bool corrected = false) {
  PayeeFields p;
  const NameLines lines = ContractorNameLines(c);
  const std::string where = "1099-MISC of " + Joined(lines.line1, lines.line2) + " (" + c.IdentificationNumber() + ")";
  p.tin = CheckTin(report, where, "the identification number", c.IdentificationNumber(), c.TypeOfTIN());
  p.name1 = CheckText(report, where, "Name line one", lines.line1, TextOf(40, true));
  p.name2 = CheckText(report, where, "Name line two", lines.line2, TextOf(40));
  p.account = CheckText(report, where, "Account number", c.AccountNumber(), TextOf(20));
  p.address = CheckText(report, where, "Address", Joined(c.Address1(), c.Address2()), TextOf(40));
  p.city = CheckText(report, where, "City", c.City(), TextOf(40));
  p.state = CheckState(report, where, "State", c.State(), false);
  p.zip = CheckZip(report, where, "Zip code", c.Zip(), false);
  if (c.Address1().empty() && c.Address2().empty() && c.City().empty())
    report.Warning(where, "the recipient has no address");

  auto& amounts = p.amounts;
  bool any = f.PayerMadeDirectSales != 0;
  for (const auto& box : kBoxes) {
    const int64_t cents = CheckAmount(report, where, box.label, box.member.In(f), kAmountWidth);
    amounts[CodeIndex(box.code)] = cents;
    any = any || cents != 0;
  }
  if (!any && !corrected) report.Warning(where, "the form reports no amount");
  p.stateTax =
      CheckAmount(report, where, "Box 16 (state tax withheld) line 1", f.StateTaxWithheld1(), kAmountWidth) +
      CheckAmount(report, where, "Box 16 (state tax withheld) line 2", f.StateTaxWithheld2(), kAmountWidth);
  if (!FitsMoney(p.stateTax, kAmountWidth))
    report.Error(where, "the two lines of box 16 add up to more than the file holds");
  if (combined) {
    p.combinedCode = CombinedFilingCode(p.state);
    if (p.combinedCode.empty() && !p.state.empty())
      report.Warning(where, "the recipient's state " + p.state +
                                " does not take part in the Combined Federal/State Filing program; the form goes to "
                                "the IRS only");
  }
  return p;
}

void WritePayee(const PayeeFields& p, const Form1099Record& f, const ContractorRecord& c, char correction,
                size_t sequence, Block& block, std::string& file) {
  const Tin& tin = p.tin;
  const auto& amounts = p.amounts;
  const int64_t stateTax = p.stateTax;
  const std::string_view combinedCode = p.combinedCode;
  const std::string& state = p.state;
  const size_t start = file.size();
  RecordWriter rec(file, kIrsRecordWidth);
  rec.Put(1, 1, "B");
  rec.Put(2, 4, kPaymentYear);
  rec.Put(6, 1, std::string_view(&correction, 1));
  rec.Put(7, 4, NameControl(c, tin.type));
  rec.Put(11, 1, std::string_view(&tin.type, 1));
  rec.Put(12, 9, tin.digits);
  rec.Text(21, 20, p.account);
  for (size_t i = 0; i < kCodeCount; ++i) {
    if (IsUnusedCode(i))
      rec.Fill(BPosition(i), kAmountWidth, kIrsUnusedAmountFill);
    else
      rec.Money(BPosition(i), kAmountWidth, amounts[i]);
  }
  rec.Text(248, 40, p.name1);
  rec.Text(288, 40, p.name2);
  rec.Text(368, 40, p.address);
  rec.Text(448, 40, p.city);
  rec.Put(488, 2, state);
  std::string zipBuffer;
  rec.Put(490, 9, ZipField(p.zip, zipBuffer));
  rec.Put(544, 1, c.SecondTIN != 0 ? "2" : " ");
  rec.Put(547, 1, f.PayerMadeDirectSales != 0 ? "1" : " ");
  rec.Money(723, kAmountWidth, stateTax);
  rec.Money(735, kAmountWidth, 0);
  rec.Put(747, 2, combinedCode);
  EndRecord(file, sequence, start);

  const auto add = [&](Sums& sums) {
    ++sums.count;
    for (size_t i = 0; i < kCodeCount; ++i) sums.amount[i] += amounts[i];
    sums.stateTax += stateTax;
  };
  add(block.all);
  if (!combinedCode.empty()) add(block.byState[std::string(combinedCode)]);
  for (size_t i = 0; i < kCodeCount; ++i) block.used[i] = block.used[i] || amounts[i] != 0;
}

// ---- C, K, F -----------------------------------------------------------------------

void WriteTotalsRecord(std::string& file, char type, const Sums& sums, size_t sequence,
                       std::string_view stateCode = {}) {
  const size_t start = file.size();
  RecordWriter rec(file, kIrsRecordWidth);
  rec.Put(1, 1, std::string_view(&type, 1));
  rec.Count(2, 8, sums.count);
  for (size_t i = 0; i < kCodeCount; ++i) {
    if (IsUnusedCode(i))
      rec.Fill(CPosition(i), kTotalWidth, kIrsUnusedAmountFill);
    else
      rec.Money(CPosition(i), kTotalWidth, sums.amount[i]);
  }
  if (type == 'K') {
    rec.Money(707, kTotalWidth, sums.stateTax);
    rec.Money(725, kTotalWidth, sums.localTax);
    rec.Put(747, 2, stateCode);
  }
  EndRecord(file, sequence, start);
}

// ---- reading back ------------------------------------------------------------------

class Checker {
 public:
  explicit Checker(Irs1099FileCheck& result) : r_(result) {}
  void Problem(size_t record, char type, const std::string& text) {
    if (r_.problems.size() > kMaxProblems) return;
    if (r_.problems.size() == kMaxProblems) {
      r_.problems.push_back("further problems are not listed");
      return;
    }
    r_.problems.push_back("record " + std::to_string(record) + " (" + std::string(1, type) + "): " + text);
  }
  void Blanks(size_t n, std::string_view rec, std::span<const Blank> blanks) {
    for (const auto& b : blanks)
      if (!FilledWith(rec, b.pos, b.len, ' '))
        Problem(n, rec[0], "positions " + std::to_string(b.pos) + "-" + std::to_string(b.pos + b.len - 1) +
                               " must be blank");
  }
  void OneOf(size_t n, std::string_view rec, size_t pos, size_t len, std::initializer_list<std::string_view> values) {
    const std::string_view field = FieldAt(rec, pos, len);
    for (auto v : values)
      if (field == v) return;
    Problem(n, rec[0], "position " + std::to_string(pos) + " holds \"" + std::string(field) +
                           "\", which is not a valid code");
  }
  int64_t Number(size_t n, std::string_view rec, size_t pos, size_t len) {
    const auto v = NumberAt(rec, pos, len);
    if (!v) {
      Problem(n, rec[0], "positions " + std::to_string(pos) + "-" + std::to_string(pos + len - 1) +
                             " must hold digits only");
      return 0;
    }
    return *v;
  }
  // Amount fields: digits, or for the unused codes the chosen fill.
  int64_t Amount(size_t n, std::string_view rec, size_t code, size_t pos, size_t width) {
    if (IsUnusedCode(code) && kIrsUnusedAmountFill == ' ') {
      if (!FilledWith(rec, pos, width, ' ')) Problem(n, rec[0], "the unused amount at " + std::to_string(pos) + " must be blank");
      return 0;
    }
    return Number(n, rec, pos, width);
  }

 private:
  static constexpr size_t kMaxProblems = 50;
  Irs1099FileCheck& r_;
};

// Reads a file record by record: one step per record type, the state of the
// open payer block kept between them.
class FileReader {
 public:
  explicit FileReader(Irs1099FileCheck& result) : r_(result), check_(result) {}

  void Record(size_t n, std::string_view rec) {
    n_ = n;
    rec_ = rec;
    type_ = rec[0];
    Common();
    switch (type_) {
      case 'T': T(); break;
      case 'A': A(); break;
      case 'B': B(); break;
      case 'C': C(); break;
      case 'K': K(); break;
      case 'F': F(); break;
      default: Problem("is not a record type of the information return file");
    }
    prev_ = type_;
  }

  void Finish() {
    if (tCount_ != totalB_)
      r_.problems.push_back("the transmitter record counts " + std::to_string(tCount_) + " payees; the file has " +
                            std::to_string(totalB_));
    if (!sawF_) r_.problems.push_back("the file does not end with the end of transmission record F");
    if (r_.counts.a == 0) r_.problems.push_back("the file holds no payer record A");
  }

 private:
  void Problem(const std::string& text) { check_.Problem(n_, type_, text); }
  int64_t Number(size_t pos, size_t len) { return check_.Number(n_, rec_, pos, len); }
  void OneOf(size_t pos, size_t len, std::initializer_list<std::string_view> values) {
    check_.OneOf(n_, rec_, pos, len, values);
  }
  void Blanks(std::span<const Blank> blanks) { check_.Blanks(n_, rec_, blanks); }
  void PaymentYear() {
    if (FieldAt(rec_, 2, 4) != kPaymentYear) Problem("the payment year is not 2007");
  }

  // What every record must be: its end, printable ASCII, its sequence number, before F.
  void Common() {
    const std::string_view end = kIrsRecordEnd.size() == 2 ? kIrsRecordEnd : std::string_view("  ");
    if (rec_.substr(748, 2) != end) Problem("positions 749-750 are not the record end");
    for (size_t p = 0; p < 748; ++p) {
      const auto c = static_cast<unsigned char>(rec_[p]);
      if (c < 0x20 || c >= 0x7F) {
        Problem("position " + std::to_string(p + 1) + " holds a character outside printable ASCII");
        break;
      }
    }
    if (Number(500, 8) != static_cast<int64_t>(n_)) Problem("the sequence number is not " + std::to_string(n_));
    if (sawF_) Problem("follows the end of transmission record F");
    if (n_ == 1 && type_ != 'T') Problem("the file must begin with T");
  }

  void After(std::string_view allowed) {
    if (prev_ == 0 || allowed.find(prev_) == std::string_view::npos)
      Problem(prev_ == 0 ? "cannot open the file" : std::string("cannot follow ") + prev_);
  }

  void CloseStates() {
    for (const auto& [code, sums] : block_.byState)
      if (!kSeen_.count(code)) Problem("no K record for Combined Federal/State code " + code);
  }

  void T() {
    ++r_.counts.t;
    if (n_ != 1) Problem("T must be the first record and the only one");
    PaymentYear();
    Number(7, 9);
    OneOf(28, 1, {"T", " "});
    OneOf(518, 1, {"V", "I"});
    tCount_ = static_cast<size_t>(Number(296, 8));
    Blanks(kTBlanks);
  }

  void AmountCodes() {
    const std::string_view field = FieldAt(rec_, 28, kIrsAmountCodesWidth);
    const size_t used = field.find_last_not_of(' ');
    codes_ = std::string(field.substr(0, used == std::string_view::npos ? 0 : used + 1));
    size_t last = 0;
    bool ascending = !codes_.empty();
    for (char c : codes_) {
      const size_t index = kAmountCodes.find(c);
      if (index == std::string_view::npos || index + 1 <= last) ascending = false;
      else last = index + 1;
    }
    if (!ascending) Problem("the amount codes \"" + codes_ + "\" are not a list of codes in order");
  }

  void A() {
    ++r_.counts.a;
    After("TCK");
    if (prev_ == 'C' || prev_ == 'K') CloseStates();
    PaymentYear();
    Number(12, 9);
    if (FieldAt(rec_, kTypeOfReturnPos, kTypeOfReturnLen) != (kFlagAt26 ? "A" : "A "))
      Problem("the type of return is not A (Form 1099-MISC)");
    OneOf(kCombinedFlagPos, 1, {"1", " "});
    combined_ = FieldAt(rec_, kCombinedFlagPos, 1) == "1";
    OneOf(25, 1, {"1", " "});
    OneOf(133, 1, {"0", "1"});
    Blanks(kFlagAt26 ? std::span<const Blank>(kBlanksBeforeTinFlagAt26)
                     : std::span<const Blank>(kBlanksBeforeTinFlagAt6));
    AmountCodes();
    Blanks(kABlanks);
    block_ = Block{};
    kSeen_.clear();
    blockCode_ = 0;
  }

  // Originals, one-transaction (or first) corrections and second
  // corrections each go under a payer record of their own.
  void CorrectionCode() {
    OneOf(6, 1, {" ", "G", "C"});
    const char code = rec_[5];
    if (blockCode_ == 0) {
      blockCode_ = code;
      r_.blockCodes += code;
    } else if (code != blockCode_) {
      Problem(std::string("the correction code \"") + code + "\" differs from that of the payer's other payee " +
              "records; originals, G and C corrections each need a payer record of their own");
    }
  }

  void B() {
    ++r_.counts.b;
    ++totalB_;
    After("AB");
    PaymentYear();
    CorrectionCode();
    OneOf(11, 1, {"1", "2", " "});
    Number(12, 9);
    OneOf(544, 1, {"2", " "});
    OneOf(547, 1, {"1", " "});
    std::array<int64_t, kCodeCount> amounts{};
    for (size_t c = 0; c < kCodeCount; ++c) {
      amounts[c] = check_.Amount(n_, rec_, c, BPosition(c), kAmountWidth);
      if (amounts[c] != 0) {
        block_.used[c] = true;
        if (codes_.find(kAmountCodes[c]) == std::string::npos)
          Problem(std::string("amount ") + kAmountCodes[c] + " is not zero, but the payer record does not list its code");
      }
    }
    const int64_t stateTax = Number(723, kAmountWidth);
    const int64_t localTax = Number(735, kAmountWidth);
    const std::string state(FieldAt(rec_, 747, 2));
    const auto add = [&](Sums& sums) {
      ++sums.count;
      for (size_t c = 0; c < kCodeCount; ++c) sums.amount[c] += amounts[c];
      sums.stateTax += stateTax;
      sums.localTax += localTax;
    };
    add(block_.all);
    if (state != "  ") {
      if (!combined_) Problem("carries a Combined Federal/State code, but the payer does not file in that program");
      else if (!NumberAt(rec_, 747, 2)) Problem("the Combined Federal/State code must be two digits");
      add(block_.byState[state]);
    }
    Blanks(kBBlanks);
  }

  void C() {
    ++r_.counts.c;
    After("B");
    if (Number(2, 8) != static_cast<int64_t>(block_.all.count))
      Problem("the number of payees is not " + std::to_string(block_.all.count));
    for (size_t c = 0; c < kCodeCount; ++c) {
      const int64_t total = check_.Amount(n_, rec_, c, CPosition(c), kTotalWidth);
      if (total != block_.all.amount[c])
        Problem(std::string("control total ") + kAmountCodes[c] + " is not the sum of the payees' amount " +
                kAmountCodes[c]);
      r_.totals.amount[c] += total;
    }
    const std::string expected = AmountCodesOf(block_.used);
    if (codes_ != expected)
      Problem("the payer record lists the amount codes \"" + codes_ + "\", but its forms use \"" + expected + "\"");
    r_.totals.formCount += static_cast<int32_t>(block_.all.count);
    r_.totals.stateTaxWithheld += block_.all.stateTax;
    Blanks(kCBlanks);
  }

  void K() {
    ++r_.counts.k;
    After("CK");
    if (!combined_) Problem("a state totals record needs a payer in the Combined Federal/State program");
    const std::string state(FieldAt(rec_, 747, 2));
    const auto it = block_.byState.find(state);
    if (it == block_.byState.end()) {
      Problem("no form of the payer carries the code " + state);
    } else {
      const Sums& sums = it->second;
      if (Number(2, 8) != static_cast<int64_t>(sums.count))
        Problem("the number of payees is not " + std::to_string(sums.count));
      for (size_t c = 0; c < kCodeCount; ++c)
        if (check_.Amount(n_, rec_, c, CPosition(c), kTotalWidth) != sums.amount[c])
          Problem(std::string("control total ") + kAmountCodes[c] + " is not the sum for the state");
      if (Number(707, kTotalWidth) != sums.stateTax)
        Problem("the state income tax withheld total is not the sum for the state");
      if (Number(725, kTotalWidth) != sums.localTax)
        Problem("the local income tax withheld total is not the sum for the state");
    }
    if (kSeen_.count(state)) Problem("a second K record for the code " + state);
    kSeen_[state] = true;
    Blanks(kKBlanks);
  }

  void F() {
    ++r_.counts.f;
    After("CK");
    CloseStates();
    if (Number(2, 8) != static_cast<int64_t>(r_.counts.a))
      Problem("the number of payer records is not " + std::to_string(r_.counts.a));
    if (!FilledWith(rec_, 10, 21, '0')) Problem("positions 10-30 must be zeros");
    if (Number(50, 8) != static_cast<int64_t>(totalB_)) Problem("the number of payees is not " + std::to_string(totalB_));
    Blanks(kFBlanks);
    sawF_ = true;
  }

  Irs1099FileCheck& r_;
  Checker check_;
  size_t n_ = 0;
  std::string_view rec_;
  char type_ = 0, prev_ = 0;
  bool combined_ = false, sawF_ = false;
  std::string codes_;                  // of the open payer block
  Block block_;
  std::map<std::string, bool> kSeen_;  // states with a K record in the block
  char blockCode_ = 0;                 // the correction code of the block's payees; 0 before the first
  size_t totalB_ = 0, tCount_ = 0;
};
}  // namespace

int64_t Irs1099FileTotals::Box5() const {
  int64_t sum = 0;
  for (char code : std::string_view("1235678ABC")) sum += amount[CodeIndex(code)];
  return sum;
}

void Check1099ForFile(Report& report, const Form1099Record& form, const ContractorRecord& contractor,
                      const Irs1099Options& options) {
  CheckPayee(report, form, contractor, options.combinedFederalState);
}

std::string_view CombinedFilingCode(std::string_view state) {
  for (const auto& s : kCombinedFilingStates)
    if (s.state == state) return s.code;
  return {};
}

std::string NameControl(const ContractorRecord& c, char typeOfTin) {
  if (!c.FirstName().empty() && !c.LastName().empty()) return FourCharacters(c.LastName());
  if (typeOfTin != '1') return "    ";
  // A business: its first name line, passing over a leading "The" that more
  // than one word follows.
  const NameLines lines = ContractorNameLines(c);
  const std::string name = ToFileText(lines.line1, "&-", true).text;
  if (name.rfind("THE ", 0) == 0 && name.find(' ', 4) != std::string::npos) return FourCharacters(name.substr(4));
  return FourCharacters(name);
}

Irs1099FileCheck Check1099File(std::string_view bytes) {
  Irs1099FileCheck result;
  if (bytes.empty()) {
    result.problems.push_back("the file is empty");
    return result;
  }
  if (bytes.size() % kIrsRecordWidth != 0)
    result.problems.push_back("the file is " + std::to_string(bytes.size()) +
                              " bytes long, not a whole number of 750-byte records");
  FileReader reader(result);
  const size_t records = bytes.size() / kIrsRecordWidth;
  for (size_t i = 0; i < records; ++i) reader.Record(i + 1, bytes.substr(i * kIrsRecordWidth, kIrsRecordWidth));
  if (records > 0) reader.Finish();
  return result;
}

std::vector<std::string> CompareWith1096(const Irs1099FileTotals& file, const Form1096Totals& form1096) {
  std::vector<std::string> differences;
  if (file.formCount != form1096.formCount)
    differences.push_back("box 3: " + std::to_string(file.formCount) + " forms in the file, " +
                          std::to_string(form1096.formCount) + " on the 1096");
  if (file.Box4() != form1096.federalTaxWithheld)
    differences.push_back("box 4: " + FormatCents(file.Box4()) + " in the file, " +
                          FormatCents(form1096.federalTaxWithheld) + " on the 1096");
  if (file.Box5() != form1096.totalReported)
    differences.push_back("box 5: " + FormatCents(file.Box5()) + " in the file, " +
                          FormatCents(form1096.totalReported) + " on the 1096");
  return differences;
}

namespace {

// The payees of one payer record and their correction code (' ' originals).
struct BlockToFile {
  char correction = ' ';
  std::vector<Irs1099Return> returns;  // a form without a contractor is an error
};

// Checks and builds a file of payer blocks, reads it back and compares it
// with the 1096 of `forms1096`.
Irs1099Result BuildFile(const TransmitterRecord& transmitter, const CompanyRecord& company,
                        const std::vector<BlockToFile>& blocks, const std::vector<Form1099Record>& forms1096,
                        const char* noForms, const Irs1099Options& options) {
  Irs1099Result result;
  Report& report = result.report;
  std::string& file = result.bytes;
  size_t total = 0;
  for (const auto& b : blocks) total += b.returns.size();
  ReserveFileBuffer(file, (total + 2 + 3 * blocks.size() + kCombinedFilingStates.size()) * kIrsRecordWidth);

  const size_t tStart = file.size();
  WriteTransmitter(report, transmitter, file);
  if (total == 0) report.Error("Company", noForms);

  size_t sequence = 2, done = 0, payees = 0;
  for (size_t b = 0; b < blocks.size() || (b == 0 && total == 0); ++b) {
    // The payer is checked once; a second payer record repeats it.
    Report again;
    const Payer payer =
        WritePayer(b == 0 ? report : again, company, options.combinedFederalState, sequence++, file);
    if (b >= blocks.size()) {
      // No form at all: the file stops at its payer, with the error above.
      break;
    }
    Block block;
    for (const Irs1099Return& r : blocks[b].returns) {
      if (FormsCancelled(options.progress, done++, total)) {
        Irs1099Result cancelled;
        cancelled.cancelled = true;
        return cancelled;
      }
      if (!r.contractor) {
        report.Error("1099-MISC number " + std::to_string(r.form->Form1099UniqueID),
                     "belongs to no contractor of the company, so it has no recipient");
        continue;
      }
      const bool corrected = blocks[b].correction != ' ';
      WritePayee(CheckPayee(report, *r.form, *r.contractor, options.combinedFederalState, corrected), *r.form,
                 *r.contractor, blocks[b].correction, sequence++, block, file);
    }
    for (size_t i = 0; i < kCodeCount; ++i)
      if (!FitsMoney(block.all.amount[i], kTotalWidth)) report.Error("1099-MISC file", "a total is too large for the file");
    // The payer's amount codes, now that its forms are written.
    RecordWriter(file, payer.start, kIrsRecordWidth).Put(28, kIrsAmountCodesWidth, AmountCodesOf(block.used));
    WriteTotalsRecord(file, 'C', block.all, sequence++);
    for (const auto& [code, sums] : block.byState) WriteTotalsRecord(file, 'K', sums, sequence++, code);
    payees += block.all.count;
  }
  RecordWriter(file, tStart, kIrsRecordWidth).Count(296, 8, payees);
  {
    const size_t start = file.size();
    RecordWriter rec(file, kIrsRecordWidth);
    rec.Put(1, 1, "F");
    rec.Count(2, 8, std::max<size_t>(blocks.size(), 1));
    rec.Fill(10, 21, '0');
    rec.Count(50, 8, payees);
    EndRecord(file, sequence++, start);
  }

  if (report.HasErrors()) {
    file.clear();
    file.shrink_to_fit();
    return result;
  }
  const Irs1099FileCheck check = Check1099File(file);
  std::vector<std::string> problems = check.problems;
  if (problems.empty()) problems = CompareWith1096(check.totals, Compute1096Totals(forms1096));
  if (!problems.empty()) {
    report.Error("1099-MISC file", "the file did not pass its read-back check, so it was not written: " +
                                       problems.front());
    file.clear();
    return result;
  }
  result.counts = check.counts;
  result.totals = check.totals;
  return result;
}

}  // namespace

Irs1099Result Make1099File(const TransmitterRecord& transmitter, const CompanyRecord& company,
                           const std::vector<ContractorRecord>& contractors,
                           const std::vector<Form1099Record>& forms, const Irs1099Options& options) {
  std::unordered_map<int32_t, const ContractorRecord*> byId;
  byId.reserve(contractors.size());
  for (const auto& c : contractors) byId.emplace(c.ContractorUniqueID, &c);
  std::vector<BlockToFile> blocks;
  if (!forms.empty()) {
    blocks.push_back({' ', {}});
    blocks.back().returns.reserve(forms.size());
    for (const auto& f : forms) {
      const auto it = byId.find(f.ContractorUniqueID);
      blocks.back().returns.push_back({it == byId.end() ? nullptr : it->second, &f, ' '});
    }
  }
  return BuildFile(transmitter, company, blocks, forms, "there is no 1099-MISC to file; the file needs at least one",
                   options);
}

Irs1099Result Make1099CorrectionsFile(const TransmitterRecord& transmitter, const CompanyRecord& company,
                                      const std::vector<Irs1099Return>& returns, const Irs1099Options& options) {
  std::vector<BlockToFile> blocks;
  std::vector<Form1099Record> forms;
  for (char code : {'G', 'C'}) {
    BlockToFile block{code, {}};
    for (const auto& r : returns)
      if (r.correction == code) {
        block.returns.push_back(r);
        forms.push_back(*r.form);
      }
    if (!block.returns.empty()) blocks.push_back(std::move(block));
  }
  return BuildFile(transmitter, company, blocks, forms,
                   "there is no corrected 1099-MISC to file: no form recorded as filed has changed since", options);
}

}  // namespace formet::efile
