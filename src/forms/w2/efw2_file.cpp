#include "forms/w2/efw2_file.h"

#include <algorithm>
#include <span>
#include <unordered_map>

#include "forms/efile_choices.h"
#include "forms/money.h"
#include "forms/record_file_reading.h"
#include "forms/w2/box12_codes.h"
#include "forms/w2/box15_lines.h"
#include "kit/ascii_text.h"
#include "records/employees.h"
#include "records/tax_year.h"

namespace formet::efile {
namespace {

constexpr std::string_view kTaxYear = TaxYear::kYear;
constexpr int64_t kWageBase = TaxYear::kSocialSecurityWageBase;  // social security wages plus tips
constexpr int64_t kLargestSsTax = TaxYear::kSocialSecurityMaxTax;
constexpr int64_t kHouseholdThreshold = TaxYear::kHouseholdWageThreshold;
constexpr size_t kDetailWidth = 11;
constexpr size_t kTotalWidth = 15;

// The money fields of the RW record and their totals in the RT record.
enum RwField : size_t {
  kWages, kFederalTax, kSsWages, kSsTax, kMedicareWages, kMedicareTax, kSsTips, kAdvanceEic, kDependentCare,
  kCodeD, kCodeE, kCodeF, kCodeG, kCodeH, kNonqualified457, kCodeW, kNonqualifiedOther, kCodeQ, kCodeC, kCodeV,
  kCodeY, kCodeAA, kCodeBB, kRwFields
};
struct Place {
  size_t detail, total;
};
constexpr std::array<Place, kRwFields> kRwPlaces = {{
    {188, 10}, {199, 25}, {210, 40}, {221, 55}, {232, 70}, {243, 85}, {254, 100}, {265, 115}, {276, 130},
    {287, 145}, {298, 160}, {309, 175}, {320, 190}, {331, 205}, {353, 235}, {364, 250}, {375, 265},
    {386, 280}, {408, 310}, {419, 340}, {430, 355}, {441, 370}, {452, 385},
}};
constexpr Place kRetiredField = {342, 220};
constexpr size_t kRtThirdPartySickPayTax = 325;

// The money fields of the RO record and their totals in the RU record.
enum RoField : size_t {
  kAllocatedTips, kCodeAB, kCodeR, kCodeS, kCodeT, kCodeM, kCodeN, kCodeZ, kPrWages, kPrCommissions,
  kPrAllowances, kPrTips, kPrTotal, kPrTax, kPrRetirement, kTerritoryWages, kTerritoryTax, kRoFields
};
constexpr std::array<Place, kRoFields> kRoPlaces = {{
    {12, 10}, {23, 25}, {34, 40}, {45, 55}, {56, 70}, {67, 85}, {78, 100}, {89, 115}, {275, 355},
    {286, 370}, {297, 385}, {308, 400}, {319, 415}, {330, 430}, {341, 445}, {363, 460}, {374, 475},
}};

// Where the amount of each box 12 code goes: a field of RW, or of RO.
struct CodePlace {
  std::string_view code;
  bool optionalRecord;
  size_t field;
};
constexpr CodePlace kCodePlaces[] = {
    {"A", true, kCodeAB},   {"B", true, kCodeAB},   {"C", false, kCodeC},   {"D", false, kCodeD},
    {"E", false, kCodeE},   {"F", false, kCodeF},   {"G", false, kCodeG},   {"H", false, kCodeH},
    {"M", true, kCodeM},    {"N", true, kCodeN},    {"Q", false, kCodeQ},   {"R", true, kCodeR},
    {"S", true, kCodeS},    {"T", true, kCodeT},    {"V", false, kCodeV},   {"W", false, kCodeW},
    {"Y", false, kCodeY},   {"Z", true, kCodeZ},    {"AA", false, kCodeAA}, {"BB", false, kCodeBB},
};

// RE 219 by Kind of Payer: 941, CT-1, military, household, 943, Medicare
// qualified government employment, 944.
constexpr std::array<char, 7> kEmploymentCodes = {'R', 'X', 'M', 'H', 'A', 'Q', kEfw2EmploymentCode944};

// Numeric state codes of the RS record.
struct StateCode {
  std::string_view state, code;
};
constexpr StateCode kStateCodes[] = {
    {"AL", "01"}, {"AK", "02"}, {"AZ", "04"}, {"AR", "05"}, {"CA", "06"}, {"CO", "08"}, {"CT", "09"},
    {"DE", "10"}, {"DC", "11"}, {"FL", "12"}, {"GA", "13"}, {"HI", "15"}, {"ID", "16"}, {"IL", "17"},
    {"IN", "18"}, {"IA", "19"}, {"KS", "20"}, {"KY", "21"}, {"LA", "22"}, {"ME", "23"}, {"MD", "24"},
    {"MA", "25"}, {"MI", "26"}, {"MN", "27"}, {"MS", "28"}, {"MO", "29"}, {"MT", "30"}, {"NE", "31"},
    {"NV", "32"}, {"NH", "33"}, {"NJ", "34"}, {"NM", "35"}, {"NY", "36"}, {"NC", "37"}, {"ND", "38"},
    {"OH", "39"}, {"OK", "40"}, {"OR", "41"}, {"PA", "42"}, {"RI", "44"}, {"SC", "45"}, {"SD", "46"},
    {"TN", "47"}, {"TX", "48"}, {"UT", "49"}, {"VT", "50"}, {"VA", "51"}, {"WA", "53"}, {"WV", "54"},
    {"WI", "55"}, {"WY", "56"}, {"AS", "60"}, {"GU", "66"}, {"MP", "69"}, {"PR", "72"}, {"VI", "78"},
};

// Positions that are blank in every record of a type.
struct Blank {
  size_t pos, len;
};
constexpr Blank kRaBlanks[] = {{24, 5}, {172, 5}, {351, 5}, {443, 3}, {486, 3}, {501, 12}};
constexpr Blank kReBlanks[] = {{174, 5}, {222, 291}};
constexpr Blank kRwBlanks[] = {{143, 5}, {397, 11}, {463, 23}, {487, 1}, {490, 23}};
constexpr Blank kRoBlanks[] = {{3, 9}, {100, 175}, {352, 11}, {385, 128}};
constexpr Blank kRsBlanks[] = {{150, 5}, {243, 5}, {268, 6}, {488, 25}};
constexpr Blank kRtBlanks[] = {{295, 15}, {400, 113}};
constexpr Blank kRuBlanks[] = {{130, 225}, {490, 23}};
constexpr Blank kRfBlanks[] = {{3, 5}, {17, 496}};


bool IsLettersAndDigits(std::string_view text) {
  for (char c : text)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

void EndRecord(std::string& file) { file += kEfw2RecordEnd; }

}  // namespace

TextRule NameRule(size_t width, bool required) { return {width, kEfw2NamePunctuation, kEfw2UpperCase, required}; }
TextRule TextOf(size_t width, bool required) { return {width, kEfw2TextPunctuation, kEfw2UpperCase, required}; }

namespace {

// ---- RA: the submitter ---------------------------------------------------------

}  // namespace

SubmitterFields CheckSubmitter(Report& report, const SubmitterRecord& s) {
  const std::string_view where = "Submitter";
  const IdCheck ein = CheckEin(s.SubmitterEIN());
  if (ein.problem) report.Error(where, "the submitter's EIN " + *ein.problem);
  if (s.SubmitterPIN().empty())
    report.Error(where, "the PIN is empty; enter the 8-character personal identification number the SSA "
                        "gave you for Business Services Online");
  else if (s.SubmitterPIN().size() != 8 || !IsLettersAndDigits(s.SubmitterPIN()))
    report.Error(where, "the PIN \"" + s.SubmitterPIN() + "\" must be 8 letters or digits");
  bool resubmission = false;
  if (s.ResubIndicator() == "1")
    resubmission = true;
  else if (!s.ResubIndicator().empty() && s.ResubIndicator() != "0")
    report.Error(where, "the resubmission indicator \"" + s.ResubIndicator() + "\" must be 1 or 0");
  if (resubmission) {
    if (s.ResubWFID().empty())
      report.Error(where, "a resubmitted file needs the wage file identifier (WFID) of the file the SSA "
                          "rejected, from its notice");
    else if (s.ResubWFID().size() != 6 || !IsLettersAndDigits(s.ResubWFID()))
      report.Error(where, "the wage file identifier \"" + s.ResubWFID() + "\" must be 6 letters or digits");
  }
  const FileText name = CheckText(report, where, "Submitter name", s.SubmitterName(), TextOf(57, true));
  const FileText location = CheckText(report, where, "Location address", s.LocationAddress(), TextOf(22));
  const FileText delivery = CheckText(report, where, "Delivery address", s.DeliveryAddress(), TextOf(22, true));
  const FileText city = CheckText(report, where, "City", s.City(), TextOf(22, true));
  const std::string state = CheckState(report, where, "State", s.StateAbbreviation(), true);
  const Zip zip = CheckZip(report, where, "Zip code", s.ZipCode(), true);
  const FileText contact = CheckText(report, where, "Contact name", s.ContactName(), TextOf(27, true));
  const std::string phone = DigitsOf(s.ContactPhone());
  if (phone.empty())
    report.Error(where, "the contact telephone number is empty; the file needs it");
  else if (phone.size() < 10 || phone.size() > 15)
    report.Error(where, "the contact telephone number \"" + s.ContactPhone() + "\" must have 10 to 15 digits");
  const std::string extension = s.ContactPhoneExtension();
  if (extension.size() > 5 || DigitsOf(extension) != extension)
    report.Error(where, "the telephone extension \"" + extension + "\" must be at most 5 digits");
  const std::string fax = DigitsOf(s.ContactFax());
  if (!fax.empty() && fax.size() != 10)
    report.Error(where, "the fax number \"" + s.ContactFax() + "\" must have 10 digits");
  const std::string& notify = s.ProblemNotifcationCode();
  if (notify != "1" && notify != "2")
    report.Error(where, "choose how the SSA should tell you of a problem with the file: by e-mail or by post");
  const std::string email = CheckEmail(report, where, "Contact e-mail", s.ContactEmail(), 40, notify == "1");
  const std::string& preparer = s.PreparerCode();
  if (preparer.size() != 1 || std::string_view("ALSPO").find(preparer[0]) == std::string_view::npos)
    report.Error(where, "choose who prepared the file (accounting firm, self-prepared, service bureau, "
                        "parent company or other)");

  return {ein.digits, s.SubmitterPIN(), resubmission, s.ResubWFID(), name, location, delivery, city, state, zip,
          contact, phone, extension, email, fax, notify, preparer};
}

namespace {

void WriteSubmitter(Report& report, const SubmitterRecord& record, std::string& file) {
  const SubmitterFields s = CheckSubmitter(report, record);
  RecordWriter ra(file, kEfw2RecordWidth);
  ra.Put(1, 2, "RA");
  ra.Put(3, 9, s.ein);
  ra.Put(12, 8, s.pin);
  ra.Put(20, 4, kEfw2SoftwareVendorCode);
  ra.Put(29, 1, s.resubmission ? "1" : "0");
  if (s.resubmission) ra.Put(30, 6, s.wfid);
  ra.Put(36, 2, kEfw2SoftwareCode);
  // The company part and the submitter part both name the submitter: the
  // firm that sends the file and receives the SSA's notices about it.
  for (size_t base : {size_t{38}, size_t{217}}) {
    ra.Text(base, 57, s.name);
    ra.Text(base + 57, 22, s.location);
    ra.Text(base + 79, 22, s.delivery);
    ra.Text(base + 101, 22, s.city);
    ra.Put(base + 123, 2, s.state);
    ra.Put(base + 125, 5, s.zip.zip5);
    ra.Put(base + 130, 4, s.zip.ext4);
  }
  ra.Text(396, 27, s.contact);
  ra.Put(423, 15, s.phone);
  ra.Put(438, 5, s.extension);
  ra.Put(446, 40, s.email);
  ra.Put(489, 10, s.fax);
  ra.Put(499, 1, s.notify);
  ra.Put(500, 1, s.preparer);
  EndRecord(file);
}

// ---- RE: the employer ----------------------------------------------------------

}  // namespace

EmployerFields CheckEmployer(Report& report, const CompanyRecord& c) {
  const std::string_view where = "Company";
  EmployerFields employer;
  const IdCheck ein = CheckEin(c.EmployerIdentificationNumber());
  employer.ein = ein.digits;
  if (ein.problem) report.Error(where, "the employer identification number " + *ein.problem);
  if (!c.FormW3OtherEIN().empty() && DigitsOf(c.FormW3OtherEIN()).size() > 0) {
    const IdCheck otherEin = CheckEin(c.FormW3OtherEIN());
    employer.otherEin = otherEin.digits;
    if (otherEin.problem) report.Error(where, "the other EIN used this year " + *otherEin.problem);
  }
  employer.establishment =
      CheckText(report, where, "Establishment number", c.FormW3EstablishmentNumber(), {4, "", kEfw2UpperCase});
  employer.name = CheckText(report, where, "Employer name", c.EmployerName(), TextOf(57, true));
  employer.location = CheckText(report, where, "Address2", c.Address2(), TextOf(22));
  employer.delivery = CheckText(report, where, "Address1", c.Address1(), TextOf(22, true));
  employer.city = CheckText(report, where, "City", c.City(), TextOf(22, true));
  employer.state = CheckState(report, where, "State", c.State(), true);
  employer.zip = CheckZip(report, where, "Zip code", c.Zip(), true);
  const int32_t kind = c.FormW3RadioKindOfPayer;
  if (kind < 0 || static_cast<size_t>(kind) >= kEmploymentCodes.size())
    report.Error(where, "choose the Kind of Payer on the W3 Information page");
  else
    employer.employmentCode = kEmploymentCodes[static_cast<size_t>(kind)];
  employer.thirdPartySickPayTax = CheckAmount(report, where, "Income tax withheld by payer of third-party sick pay",
                                              c.FormW3IncomeTaxWithHeld(), kTotalWidth);

  employer.thirdPartySickPay = c.FormW3CheckThirdPartySickPay != 0;
  return employer;
}

namespace {

using Employer = EmployerFields;

Employer WriteEmployer(Report& report, const CompanyRecord& c, std::string& file) {
  const Employer employer = CheckEmployer(report, c);
  RecordWriter re(file, kEfw2RecordWidth);
  re.Put(1, 2, "RE");
  re.Put(3, 4, kTaxYear);
  re.Put(8, 9, employer.ein);
  re.Put(26, 1, "0");
  re.Text(27, 4, employer.establishment);
  re.Put(31, 9, employer.otherEin);
  re.Text(40, 57, employer.name);
  re.Text(97, 22, employer.location);
  re.Text(119, 22, employer.delivery);
  re.Text(141, 22, employer.city);
  re.Put(163, 2, employer.state);
  re.Put(165, 5, employer.zip.zip5);
  re.Put(170, 4, employer.zip.ext4);
  re.Put(219, 1, std::string_view(&employer.employmentCode, 1));
  re.Put(221, 1, employer.thirdPartySickPay ? "1" : "0");
  EndRecord(file);
  return employer;
}

// ---- RW, RO and RS: one W-2 ----------------------------------------------------

struct BlockSums {
  size_t rw = 0, ro = 0, rs = 0;
  std::array<int64_t, kRwFields> wage{};
  std::array<int64_t, kRoFields> optional{};
};


void WriteStateRecord(std::string& file, const EmployeeText& t, std::string_view code, const FileText& stateId,
                      const std::array<int64_t, 4>& amounts) {
  RecordWriter rs(file, kEfw2RecordWidth);
  rs.Put(1, 2, "RS");
  rs.Put(3, 2, code);
  rs.Put(10, 9, t.ssn);
  rs.Text(19, 15, t.first);
  rs.Text(34, 15, t.middle);
  rs.Text(49, 20, t.last);
  rs.Text(69, 4, t.suffix);
  rs.Text(73, 22, t.location);
  rs.Text(95, 22, t.delivery);
  rs.Text(117, 22, t.city);
  rs.Put(139, 2, t.state);
  rs.Put(141, 5, t.zip.zip5);
  rs.Put(146, 4, t.zip.ext4);
  rs.Money(203, 11, 0);
  rs.Money(214, 11, 0);
  rs.Put(225, 2, "00");  // weeks worked: none reported, zero-filled as a number
  rs.Text(248, 20, stateId);
  rs.Put(274, 2, code);
  rs.Money(276, 11, amounts[0]);
  rs.Money(287, 11, amounts[1]);
  rs.Money(309, 11, amounts[2]);
  rs.Money(320, 11, amounts[3]);
  EndRecord(file);
}

}  // namespace

EmployeeText CheckEmployeeText(Report& report, const std::string& where, const EmployeeRecord& e) {
  const IdCheck ssn = CheckSsn(e.SocialSecurityNumber(), false);
  EmployeeText t;
  t.ssn = ssn.digits;
  if (ssn.problem) {
    if (kEfw2ZerosForAppliedForSsn && !e.SocialSecurityNumber().empty() &&
        DigitsOf(e.SocialSecurityNumber()) == "000000000" &&
        e.SocialSecurityNumber().find_first_not_of("0-") == std::string::npos) {
      t.ssn = "000000000";
      report.Warning(where, "the social security number is reported as zeros, as for an employee who has "
                            "applied for a number; file a correction once the employee has it");
    } else {
      report.Error(where, "the social security number " + *ssn.problem);
    }
  }
  t.first = CheckText(report, where, "First name", e.FirstName(), NameRule(15));
  if (t.first.text.empty() && t.first.refused.empty())
    report.Warning(where, "the first name is empty; the SSA asks for the name as shown on the social security card");
  t.middle = CheckText(report, where, "Middle name", e.MiddleName(), NameRule(15));
  t.last = CheckText(report, where, "Last name", e.LastName(), NameRule(20, true));
  t.suffix = CheckText(report, where, "Suffix", e.Suffix(), NameRule(4));
  t.location = CheckText(report, where, "Address2", e.Address2(), TextOf(22));
  t.delivery = CheckText(report, where, "Address1", e.Address1(), TextOf(22));
  t.city = CheckText(report, where, "City", e.City(), TextOf(22));
  t.state = CheckState(report, where, "State", e.State(), false);
  t.zip = CheckZip(report, where, "Zip code", e.Zip(), false);
  if (e.Address1().empty() && e.Address2().empty() && e.City().empty())
    report.Warning(where, "the employee has no address");
  return t;
}

namespace {

// A state record waiting to be written.
struct StateLineFields {
  std::string_view code;
  FileText stateId;
  std::array<int64_t, 4> amounts{};
};

// What one W-2 puts in the file, once checked.
struct W2Fields {
  EmployeeText t;
  std::array<int64_t, kRwFields> rw{};
  std::array<int64_t, kRoFields> ro{};
  std::vector<StateLineFields> states;
};

// Boxes 1 to 11 of one W-2 into the RW and RO amounts.
void CheckBoxes1To11(Report& report, const std::string& where, const W2Record& w, W2Fields& f) {
  auto& rw = f.rw;
  auto& ro = f.ro;
  const auto amount = [&](const char* label, const std::string& text) {
    return CheckAmount(report, where, label, text, kDetailWidth);
  };
  rw[kWages] = amount("Box 1 (wages, tips, other compensation)", w.Wages());
  rw[kFederalTax] = amount("Box 2 (federal income tax withheld)", w.FederalIncomeTaxWithdrawal());
  rw[kSsWages] = amount("Box 3 (social security wages)", w.SocialSecurityWages());
  rw[kSsTax] = amount("Box 4 (social security tax withheld)", w.SocialSecurityTaxWithheld());
  rw[kMedicareWages] = amount("Box 5 (Medicare wages and tips)", w.MedicareWages());
  rw[kMedicareTax] = amount("Box 6 (Medicare tax withheld)", w.MedicareTaxWithheld());
  rw[kSsTips] = amount("Box 7 (social security tips)", w.SocialSecurityTips());
  ro[kAllocatedTips] = amount("Box 8 (allocated tips)", w.AllocatedTips());
  rw[kAdvanceEic] = amount("Box 9 (advance EIC payment)", w.AdvancEICPayment());
  rw[kDependentCare] = amount("Box 10 (dependent care benefits)", w.DependentCareBenefits());
  rw[kEfw2Box11IsSection457 ? kNonqualified457 : kNonqualifiedOther] =
      amount("Box 11 (nonqualified plans)", w.NonQualifiedPlans());
}

// The four amounts of box 12, each added to its code's field of the RW or RO
// record.
void CheckBox12(Report& report, const std::string& where, const W2Record& w, W2Fields& f) {
  auto& rw = f.rw;
  auto& ro = f.ro;
  const struct {
    const std::string& code;
    const std::string& amount;
    const char* box;
  } twelve[] = {{w.Field12aCode(), w.Field12aAmount(), "Box 12a"},
                {w.Field12bCode(), w.Field12bAmount(), "Box 12b"},
                {w.Field12cCode(), w.Field12cAmount(), "Box 12c"},
                {w.Field12dCode(), w.Field12dAmount(), "Box 12d"}};
  for (const auto& entry : twelve) {
    const int64_t cents = CheckAmount(report, where, entry.box, entry.amount, kDetailWidth);
    const std::string code = UpperAscii(ShowBox12Code(entry.code));
    if (code.empty()) {
      if (cents != 0) report.Error(where, std::string(entry.box) + " has an amount but no code");
      continue;
    }
    if (!IsBox12Code(code)) {
      report.Error(where, std::string(entry.box) + ": " + InvalidBox12CodeMessage(code));
      continue;
    }
    const CodePlace* place = nullptr;
    for (const auto& p : kCodePlaces)
      if (p.code == code) place = &p;
    if (!place) {
      if (cents != 0)
        report.Warning(where, std::string(entry.box) + " code " + code + " (" + DollarsText(cents) +
                                  ") is not reported: the wage file has no field for it");
      continue;
    }
    (place->optionalRecord ? ro[place->field] : rw[place->field]) += cents;
  }
  for (int64_t v : rw)
    if (!FitsMoney(v, kDetailWidth)) report.Error(where, "two box 12 amounts of one code add up to more than the file holds");
  for (int64_t v : ro)
    if (!FitsMoney(v, kDetailWidth)) report.Error(where, "two box 12 amounts of one code add up to more than the file holds");
}

// Social security and Medicare: the year's limits, the taxes against the
// wages, and what the kind of employer may report.
void CheckSocialSecurityAndMedicare(Report& report, const std::string& where, char employmentCode,
                                    const Efw2Options& options, const W2Fields& f) {
  const auto& rw = f.rw;
  if (rw[kSsWages] + rw[kSsTips] > kWageBase)
    report.Error(where, "social security wages and tips (boxes 3 and 7) come to " +
                            DollarsText(rw[kSsWages] + rw[kSsTips]) + ", above the 2007 wage base of " +
                            DollarsText(kWageBase));
  if (rw[kSsTax] > kLargestSsTax)
    report.Warning(where, "box 4 (social security tax withheld) " + DollarsText(rw[kSsTax]) +
                              " is above the 2007 maximum of " + DollarsText(kLargestSsTax));
  if (options.compareSocialSecurityTax) {
    // Tips count with the wages; the tax stops at the wage base.
    const int64_t expected = SocialSecurityTax(std::min(rw[kSsWages] + rw[kSsTips], kWageBase));
    const int64_t difference = rw[kSsTax] > expected ? rw[kSsTax] - expected : expected - rw[kSsTax];
    if (difference > options.withheldTaxTolerance)
      report.Warning(where, "box 4 (social security tax withheld) " + DollarsText(rw[kSsTax]) +
                                " is not 6.2 % of boxes 3 and 7 (" + DollarsText(expected) + ")");
  }
  {
    const int64_t expected = MedicareTax(rw[kMedicareWages]);
    const int64_t difference = rw[kMedicareTax] > expected ? rw[kMedicareTax] - expected : expected - rw[kMedicareTax];
    if (difference > options.withheldTaxTolerance)
      report.Warning(where, "box 6 (Medicare tax withheld) " + DollarsText(rw[kMedicareTax]) +
                                " is not 1.45 % of box 5 (" + DollarsText(expected) + ")");
  }
  if (employmentCode == 'Q' && (rw[kSsWages] || rw[kSsTax] || rw[kSsTips]))
    report.Error(where, "a Medicare qualified government employer reports no social security wages, tips or "
                        "tax: boxes 3, 4 and 7 must be empty");
  if (employmentCode == 'X' &&
      (rw[kSsWages] || rw[kSsTax] || rw[kSsTips] || rw[kMedicareWages] || rw[kMedicareTax]))
    report.Error(where, "a railroad employer (CT-1) reports no social security or Medicare amounts: boxes 3 to 7 "
                        "must be empty");
  if (employmentCode == 'H' && rw[kSsWages] > 0 && rw[kSsWages] + rw[kSsTips] < kHouseholdThreshold)
    report.Warning(where, "social security wages of " + DollarsText(rw[kSsWages]) + " are below the " +
                              DollarsText(kHouseholdThreshold) +
                              " a household employee must be paid in 2007 before social security and Medicare "
                              "taxes apply");
}

// The state lines of boxes 15 to 19 that become RS records.
void CheckStateLines(Report& report, const std::string& where, const CompanyRecord& company, const W2Record& w,
                     W2Fields& f) {
  const auto amount = [&](const char* label, const std::string& text) {
    return CheckAmount(report, where, label, text, kDetailWidth);
  };
  const struct {
    int line;
    std::string state;
    std::string stateId;
    std::string amounts[4];
  } lines[] = {
      {1, Box15State(company, w, 1), Box15StateId(company, w, 1),
       {w.StateWages1(), w.StateIncomTax1(), w.LocalWages1(), w.LocalIncomeTax1()}},
      {2, Box15State(company, w, 2), Box15StateId(company, w, 2),
       {w.StateWages2(), w.StateIncomTax2(), w.LocalWages2(), w.LocalIncomeTax2()}},
  };
  const char* labels[4] = {"Box 16 (state wages)", "Box 17 (state income tax)", "Box 18 (local wages)",
                           "Box 19 (local income tax)"};
  for (const auto& line : lines) {
    std::array<int64_t, 4> amounts{};
    bool some = false;
    for (size_t i = 0; i < 4; ++i) {
      amounts[i] = amount((std::string(labels[i]) + " line " + std::to_string(line.line)).c_str(), line.amounts[i]);
      some = some || amounts[i] != 0;
    }
    if (!some && (line.line == 1 || line.state.empty())) continue;
    const std::string lineName = "box 15 line " + std::to_string(line.line);
    if (line.state.empty()) {
      report.Error(where, lineName + " has state amounts but no state");
      continue;
    }
    const std::string_view code = StateNumericCode(line.state);
    if (code.empty()) {
      report.Error(where, lineName + ": \"" + line.state + "\" has no numeric state code for a state record");
      continue;
    }
    if (line.stateId.empty()) {
      // The company's state ID is its own state's; another state's line needs its own.
      const std::string what = lineName + " (" + line.state + ") has no employer's state ID number";
      if (line.state == company.State())
        report.Error(where, what + ": enter the " + line.state +
                                " ID number in box 15 of this W-2 or as the company's Employer state ID");
      else if (company.State().empty())
        report.Error(where, what + ": enter the " + line.state + " ID number in box 15 of this W-2");
      else
        report.Error(where, what + "; the company's state ID is for " + company.State() + ": enter the " +
                                line.state + " ID number in box 15 of this W-2");
      continue;
    }
    const FileText stateId = CheckText(report, where, "Employer's state ID number (" + lineName + ")",
                                       line.stateId, TextOf(20));
    f.states.push_back({code, stateId, amounts});
  }
}

// Checks one W-2 with its employee, every problem in the report, and gives
// what its records hold.
W2Fields CheckW2Fields(Report& report, const CompanyRecord& company, char employmentCode, const W2Record& w,
                       const EmployeeRecord& e, const Efw2Options& options) {
  const std::string where = "W-2 of " + EmployeeFullName(e) + " (" + e.SocialSecurityNumber() + ")";
  W2Fields f;
  f.t = CheckEmployeeText(report, where, e);
  CheckBoxes1To11(report, where, w, f);
  CheckBox12(report, where, w, f);
  CheckSocialSecurityAndMedicare(report, where, employmentCode, options, f);
  bool any = false;
  for (int64_t v : f.rw) any = any || v != 0;
  for (int64_t v : f.ro) any = any || v != 0;
  if (!any) report.Warning(where, "the W-2 reports no amount");

  if (options.stateRecords) CheckStateLines(report, where, company, w, f);
  return f;
}

void WriteW2Records(const W2Fields& f, const W2Record& w, BlockSums& sums, std::string& file) {
  const EmployeeText& t = f.t;
  const auto& rw = f.rw;
  const auto& ro = f.ro;
  RecordWriter rec(file, kEfw2RecordWidth);
  rec.Put(1, 2, "RW");
  rec.Put(3, 9, t.ssn);
  rec.Text(12, 15, t.first);
  rec.Text(27, 15, t.middle);
  rec.Text(42, 20, t.last);
  rec.Text(62, 4, t.suffix);
  rec.Text(66, 22, t.location);
  rec.Text(88, 22, t.delivery);
  rec.Text(110, 22, t.city);
  rec.Put(132, 2, t.state);
  rec.Put(134, 5, t.zip.zip5);
  rec.Put(139, 4, t.zip.ext4);
  for (size_t i = 0; i < kRwFields; ++i) rec.Money(kRwPlaces[i].detail, kDetailWidth, rw[i]);
  rec.Fill(kRetiredField.detail, kDetailWidth, kEfw2RetiredFieldFill);
  rec.Put(486, 1, w.StatutoryEmployee != 0 ? "1" : "0");
  rec.Put(488, 1, w.RetirementPlan != 0 ? "1" : "0");
  rec.Put(489, 1, w.ThirdPartySickpay != 0 ? "1" : "0");
  EndRecord(file);
  ++sums.rw;
  for (size_t i = 0; i < kRwFields; ++i) sums.wage[i] += rw[i];

  bool optional = !kEfw2OptionalRecordOnlyWhenNeeded;
  for (int64_t v : ro) optional = optional || v != 0;
  if (optional) {
    RecordWriter rec2(file, kEfw2RecordWidth);
    rec2.Put(1, 2, "RO");
    for (size_t i = 0; i < kRoFields; ++i) rec2.Money(kRoPlaces[i].detail, kDetailWidth, ro[i]);
    EndRecord(file);
    ++sums.ro;
    for (size_t i = 0; i < kRoFields; ++i) sums.optional[i] += ro[i];
  }

  for (const auto& line : f.states) {
    WriteStateRecord(file, t, line.code, line.stateId, line.amounts);
    ++sums.rs;
  }
}

// ---- RT, RU, RF ----------------------------------------------------------------

void WriteTotals(Report& report, const BlockSums& sums, const Employer& employer, std::string& file) {
  for (size_t i = 0; i < kRwFields; ++i)
    if (!FitsMoney(sums.wage[i], kTotalWidth))
      report.Error("Wage file", "a total is too large for the " + std::to_string(kTotalWidth) +
                                    " digits of the total record");
  RecordWriter rt(file, kEfw2RecordWidth);
  rt.Put(1, 2, "RT");
  rt.Count(3, 7, sums.rw);
  for (size_t i = 0; i < kRwFields; ++i) rt.Money(kRwPlaces[i].total, kTotalWidth, sums.wage[i]);
  rt.Fill(kRetiredField.total, kTotalWidth, kEfw2RetiredFieldFill);
  rt.Money(kRtThirdPartySickPayTax, kTotalWidth, employer.thirdPartySickPayTax);
  EndRecord(file);
  if (sums.ro == 0) return;
  RecordWriter ru(file, kEfw2RecordWidth);
  ru.Put(1, 2, "RU");
  ru.Count(3, 7, sums.ro);
  for (size_t i = 0; i < kRoFields; ++i) ru.Money(kRoPlaces[i].total, kTotalWidth, sums.optional[i]);
  EndRecord(file);
}

// ---- reading back ------------------------------------------------------------------

class Checker {
 public:
  explicit Checker(Efw2FileCheck& result) : r_(result) {}

  void Problem(size_t record, std::string_view type, const std::string& text) {
    if (r_.problems.size() >= kMaxProblems) return;
    r_.problems.push_back("record " + std::to_string(record) + " (" + std::string(type) + "): " + text);
    if (r_.problems.size() == kMaxProblems) r_.problems.push_back("further problems are not listed");
  }
  void Blanks(size_t n, std::string_view rec, std::span<const Blank> blanks) {
    for (const auto& b : blanks)
      if (!FilledWith(rec, b.pos, b.len, ' '))
        Problem(n, rec.substr(0, 2), "positions " + std::to_string(b.pos) + "-" + std::to_string(b.pos + b.len - 1) +
                                         " must be blank");
  }
  void OneOf(size_t n, std::string_view rec, size_t pos, size_t len, std::initializer_list<std::string_view> values) {
    const std::string_view field = FieldAt(rec, pos, len);
    for (auto v : values)
      if (field == v) return;
    Problem(n, rec.substr(0, 2), "position " + std::to_string(pos) + " holds \"" + std::string(field) +
                                     "\", which is not a valid code");
  }
  int64_t Number(size_t n, std::string_view rec, size_t pos, size_t len) {
    const auto v = NumberAt(rec, pos, len);
    if (!v) {
      Problem(n, rec.substr(0, 2), "positions " + std::to_string(pos) + "-" + std::to_string(pos + len - 1) +
                                       " must hold digits only");
      return 0;
    }
    return *v;
  }

 private:
  static constexpr size_t kMaxProblems = 50;
  Efw2FileCheck& r_;
};

}  // namespace

void CheckW2ForFile(Report& report, const CompanyRecord& company, const W2Record& form,
                    const EmployeeRecord& employee, const Efw2Options& options) {
  // The employer's own problems (a Kind of Payer never chosen) belong to the
  // company; a W-2 is checked as the file would be written for a 941 employer
  // then.
  const int32_t kind = company.FormW3RadioKindOfPayer;
  const char code = kind >= 0 && static_cast<size_t>(kind) < kEmploymentCodes.size()
                        ? kEmploymentCodes[static_cast<size_t>(kind)]
                        : 'R';
  CheckW2Fields(report, company, code, form, employee, options);
}

std::string_view StateNumericCode(std::string_view state) {
  for (const auto& s : kStateCodes)
    if (s.state == state) return s.code;
  return {};
}

namespace {

// Reads a wage file back record by record: each record's own fields, the
// order of the records, and each block's totals against its records.
class Efw2Reader {
 public:
  explicit Efw2Reader(Efw2FileCheck& result) : result_(result), check_(result) {}

  void Read(size_t i, std::string_view rec, std::string_view end) {
    const size_t n = i + 1;
    const std::string type(rec.substr(0, 2));
    CheckRecordFrame(check_, i, type, rec, end, kEfw2RecordEnd, sawRf_, "RF", "RA");
    if (rtSeen_ && block_.ro > 0 && type != "RU")
      check_.Problem(n, type, "the block has RO records: RU must follow RT");
    rtSeen_ = false;

    if (type == "RA") {
      Ra(i, n, rec);
    } else if (type == "RE") {
      Re(n, type, rec);
    } else if (type == "RW") {
      Rw(n, type, rec);
    } else if (type == "RO") {
      Ro(n, type, rec);
    } else if (type == "RS") {
      Rs(n, type, rec);
    } else if (type == "RT") {
      Rt(n, type, rec);
    } else if (type == "RU") {
      Ru(n, type, rec);
    } else if (type == "RV") {
      After(n, type, {"RT", "RU"});
      if (block_.rs == 0) check_.Problem(n, type, "a state total record needs state records in its block");
    } else if (type == "RF") {
      Rf(n, type, rec);
    } else {
      check_.Problem(n, type, "is not a record type of the wage file");
    }
    prev_ = type;
  }

  void Finish(size_t records) {
    if (rtSeen_ && block_.ro > 0) result_.problems.push_back("the file ends where RU must follow RT");
    if (inBlock_) result_.problems.push_back("the last employer block has no total record RT");
    if (!sawRf_ && records > 0) result_.problems.push_back("the file does not end with the final record RF");
    if (result_.counts.rw == 0 && records > 0) result_.problems.push_back("the file holds no RW record");
  }

 private:
  void After(size_t n, const std::string& type, std::initializer_list<const char*> allowed) {
    CheckFollows(check_, n, type, prev_, allowed);
  }

  void Ra(size_t i, size_t n, std::string_view rec) {
    ++result_.counts.ra;
    if (i != 0) check_.Problem(n, "RA", "RA must be the first record and the only one");
    check_.Number(n, rec, 3, 9);
    check_.OneOf(n, rec, 29, 1, {"0", "1"});
    check_.OneOf(n, rec, 36, 2, {"98", "99"});
    check_.OneOf(n, rec, 499, 1, {"1", "2"});
    check_.OneOf(n, rec, 500, 1, {"A", "L", "S", "P", "O"});
    check_.Blanks(n, rec, kRaBlanks);
  }

  void Re(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.re;
    After(n, type, {"RA", "RT", "RU", "RV"});
    if (FieldAt(rec, 3, 4) != kTaxYear) check_.Problem(n, type, "the tax year is not 2007");
    check_.Number(n, rec, 8, 9);
    check_.OneOf(n, rec, 26, 1, {"0", "1"});
    check_.OneOf(n, rec, 219, 1, {"R", "F", "A", "H", "M", "Q", "X"});
    check_.OneOf(n, rec, 221, 1, {"0", "1"});
    check_.Blanks(n, rec, kReBlanks);
    block_ = BlockSums{};
    inBlock_ = true;
  }

  void Rw(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rw;
    ++totalRw_;
    After(n, type, {"RE", "RW", "RO", "RS"});
    check_.Number(n, rec, 3, 9);
    for (size_t f = 0; f < kRwFields; ++f) block_.wage[f] += check_.Number(n, rec, kRwPlaces[f].detail, kDetailWidth);
    if (!FilledWith(rec, kRetiredField.detail, kDetailWidth, kEfw2RetiredFieldFill))
      check_.Problem(n, type, "positions 342-352 are not filled as the layout asks");
    for (size_t pos : {486, 488, 489}) check_.OneOf(n, rec, pos, 1, {"0", "1"});
    check_.Blanks(n, rec, kRwBlanks);
    ++block_.rw;
  }

  void Ro(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.ro;
    After(n, type, {"RW"});
    for (size_t f = 0; f < kRoFields; ++f)
      block_.optional[f] += check_.Number(n, rec, kRoPlaces[f].detail, kDetailWidth);
    check_.Blanks(n, rec, kRoBlanks);
    ++block_.ro;
  }

  void Rs(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rs;
    After(n, type, {"RW", "RO", "RS"});
    check_.Number(n, rec, 3, 2);
    check_.Number(n, rec, 225, 2);  // weeks worked
    check_.Number(n, rec, 274, 2);
    for (size_t pos : {203, 214, 276, 287, 309, 320}) check_.Number(n, rec, pos, kDetailWidth);
    check_.Blanks(n, rec, kRsBlanks);
    ++block_.rs;
  }

  void Rt(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rt;
    After(n, type, {"RW", "RO", "RS"});
    if (check_.Number(n, rec, 3, 7) != static_cast<int64_t>(block_.rw))
      check_.Problem(n, type, "the count of RW records is not " + std::to_string(block_.rw));
    std::array<int64_t, kRwFields> t{};
    for (size_t f = 0; f < kRwFields; ++f) {
      t[f] = check_.Number(n, rec, kRwPlaces[f].total, kTotalWidth);
      if (t[f] != block_.wage[f])
        check_.Problem(n, type, "the total at " + std::to_string(kRwPlaces[f].total) + " is not the sum of RW " +
                                    std::to_string(kRwPlaces[f].detail) + " (" + std::to_string(block_.wage[f]) + ")");
    }
    if (!FilledWith(rec, kRetiredField.total, kTotalWidth, kEfw2RetiredFieldFill))
      check_.Problem(n, type, "positions 220-234 are not filled as the layout asks");
    Efw2FileTotals& totals = result_.totals;
    totals.thirdPartySickPayTax += check_.Number(n, rec, kRtThirdPartySickPayTax, kTotalWidth);
    check_.Blanks(n, rec, kRtBlanks);
    totals.formCount += static_cast<int32_t>(block_.rw);
    const size_t boxOf[] = {kWages, kFederalTax, kSsWages, kSsTax, kMedicareWages, kMedicareTax, kSsTips};
    for (size_t b = 0; b < 7; ++b) totals.box[b + 1] += t[boxOf[b]];
    totals.box[9] += t[kAdvanceEic];
    totals.box[10] += t[kDependentCare];
    totals.box[11] += t[kNonqualified457] + t[kNonqualifiedOther];
    for (size_t f : {kCodeD, kCodeE, kCodeF, kCodeG, kCodeH, kCodeY, kCodeAA, kCodeBB})
      totals.deferredCompensation += t[f];
    rtSeen_ = true;
    inBlock_ = false;
  }

  void Ru(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.ru;
    After(n, type, {"RT"});
    if (block_.ro == 0) check_.Problem(n, type, "the block has no RO record");
    if (check_.Number(n, rec, 3, 7) != static_cast<int64_t>(block_.ro))
      check_.Problem(n, type, "the count of RO records is not " + std::to_string(block_.ro));
    for (size_t f = 0; f < kRoFields; ++f) {
      const int64_t t = check_.Number(n, rec, kRoPlaces[f].total, kTotalWidth);
      if (t != block_.optional[f])
        check_.Problem(n, type, "the total at " + std::to_string(kRoPlaces[f].total) + " is not the sum of RO " +
                                    std::to_string(kRoPlaces[f].detail));
      if (f == kAllocatedTips) result_.totals.box[8] += t;
      if (f == kCodeS) result_.totals.deferredCompensation += t;
    }
    check_.Blanks(n, rec, kRuBlanks);
  }

  void Rf(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rf;
    After(n, type, {"RT", "RU", "RV"});
    if (check_.Number(n, rec, 8, 9) != static_cast<int64_t>(totalRw_))
      check_.Problem(n, type, "the count of RW records is not " + std::to_string(totalRw_));
    check_.Blanks(n, rec, kRfBlanks);
    sawRf_ = true;
  }

  Efw2FileCheck& result_;
  Checker check_;
  std::string prev_;  // type of the record before
  BlockSums block_;   // sums of the block since the last RE
  bool inBlock_ = false, rtSeen_ = false, sawRf_ = false;
  size_t totalRw_ = 0;
};

}  // namespace

Efw2FileCheck CheckEfw2File(std::string_view bytes) {
  Efw2FileCheck result;
  Efw2Reader reader(result);
  const size_t records = ForEachRecord(bytes, kEfw2RecordWidth, kEfw2RecordEnd, result.problems,
                                       [&](size_t i, std::string_view rec, std::string_view end) {
                                         reader.Read(i, rec, end);
                                       });
  if (records > 0) reader.Finish(records);
  return result;
}

std::vector<std::string> CompareWithW3(const Efw2FileTotals& file, const W3Totals& w3, int64_t box14) {
  std::vector<std::string> differences;
  const auto compare = [&](const std::string& box, int64_t inFile, int64_t onW3) {
    if (inFile != onW3)
      differences.push_back("box " + box + ": " + FormatCents(inFile) + " in the file, " + FormatCents(onW3) +
                            " on the W-3");
  };
  if (file.formCount != w3.formCount)
    differences.push_back("box c: " + std::to_string(file.formCount) + " W-2s in the file, " +
                          std::to_string(w3.formCount) + " on the W-3");
  for (size_t b = 1; b <= 11; ++b) compare(std::to_string(b), file.box[b], w3.box[b]);
  compare("12", file.deferredCompensation, w3.deferredCompensation);
  compare("14", file.thirdPartySickPayTax, box14);
  return differences;
}

Efw2Result MakeEfw2File(const SubmitterRecord& submitter, const CompanyRecord& company,
                        const std::vector<EmployeeRecord>& employees, const std::vector<W2Record>& forms,
                        const Efw2Options& options) {
  Efw2Result result;
  Report& report = result.report;
  std::string& file = result.bytes;
  const size_t stride = kEfw2RecordWidth + kEfw2RecordEnd.size();
  // Room for the most the file can hold (an RO and two RS per W-2): memory
  // that is reserved but never written costs nothing, and the file is never
  // copied as it grows.
  ReserveFileBuffer(file, (forms.size() * (options.stateRecords ? 4 : 2) + 5) * stride);

  WriteSubmitter(report, submitter, file);
  const Employer employer = WriteEmployer(report, company, file);
  if (forms.empty()) report.Error("Company", "there is no W-2 to file; the wage file needs at least one");

  std::unordered_map<int32_t, const EmployeeRecord*> byId;
  byId.reserve(employees.size());
  for (const auto& e : employees) byId.emplace(e.EmployeeUniqueID, &e);
  BlockSums sums;
  for (size_t i = 0; i < forms.size(); ++i) {
    if (FormsCancelled(options.progress, i, forms.size())) {
      Efw2Result cancelled;
      cancelled.cancelled = true;
      return cancelled;
    }
    const W2Record& w = forms[i];
    const auto it = byId.find(w.EmployeeUniqueID);
    if (it == byId.end()) {
      report.Error("W-2 number " + std::to_string(w.W2UniqueID),
                   "belongs to no employee of the company, so it has no name or social security number");
      continue;
    }
    WriteW2Records(CheckW2Fields(report, company, employer.employmentCode, w, *it->second, options), w, sums, file);
  }
  WriteTotals(report, sums, employer, file);
  RecordWriter rf(file, kEfw2RecordWidth);
  rf.Put(1, 2, "RF");
  rf.Count(8, 9, sums.rw);
  EndRecord(file);

  if (report.HasErrors()) {
    file.clear();
    file.shrink_to_fit();
    return result;
  }
  // The file is handed out only when it reads back sound and its totals are
  // the W-3's.
  const Efw2FileCheck check = CheckEfw2File(file);
  std::vector<std::string> problems = check.problems;
  if (problems.empty()) problems = CompareWithW3(check.totals, ComputeW3Totals(forms), employer.thirdPartySickPayTax);
  if (!problems.empty()) {
    std::string text = "the file did not pass its read-back check, so it was not written: " + problems.front();
    report.Error("Wage file", text);
    file.clear();
    return result;
  }
  result.counts = check.counts;
  result.totals = check.totals;
  return result;
}

}  // namespace formet::efile
