#pragma once
// The choices the electronic filing files make where the 2007 record layouts
// could not be confirmed from the agencies' own 2007 texts. Each is one
// constant, here and nowhere else, so that a correction is a one-line change;
// the user's guide (help/efiling.html) lists them all. Everything else about
// the two files follows the record layouts as published for tax year 2007.
#include <array>
#include <string_view>

namespace formet::efile {

// ---- The SSA wage file (EFW2) --------------------------------------------------

// Every 512-character record is followed by CR LF. Alternative: nothing
// (records back to back).
inline constexpr std::string_view kEfw2RecordEnd = "\r\n";

// RW 342-352 and RT 220-234, the former military pay field: zeros, as the
// writers of the time did. Alternative: ' ' (blanks, as later editions).
inline constexpr char kEfw2RetiredFieldFill = '0';

// RE 219, the employment code of an employer that files Form 944 (Kind of
// Payer "944"). Alternative: 'R' (regular), should the 2007 text not know 'F'.
inline constexpr char kEfw2EmploymentCode944 = 'F';

// RA 20-23, the software vendor code: blanks (no code is assigned to this
// program). Alternative: the vendor's four-digit code.
inline constexpr std::string_view kEfw2SoftwareVendorCode = "    ";

// RA 36-37, the software code: "99", software bought from a vendor.
// Alternative: "98", software written by the employer itself.
inline constexpr std::string_view kEfw2SoftwareCode = "99";

// Letters in names and addresses are written in upper case. Alternative:
// false (as typed).
inline constexpr bool kEfw2UpperCase = true;

// Characters the wage file keeps in an employee's name, besides the letters
// A-Z: blank, hyphen, apostrophe and period. Others are left out (with a
// warning); characters with no ASCII form are refused.
inline constexpr std::string_view kEfw2NamePunctuation = " -'.";
// The same for every other text (addresses, employer and submitter names),
// besides letters and digits.
inline constexpr std::string_view kEfw2TextPunctuation = " &-,./'#";

// An employee whose social security number is 000-00-0000 has applied for one
// and not received it yet: reported as zeros, with a warning. Alternative:
// false (refused like every other number outside the valid ranges).
inline constexpr bool kEfw2ZerosForAppliedForSsn = true;

// Box 11 (nonqualified plans) has one amount on the form and two fields in
// the file; it goes to RW 375-385, "not section 457". Alternative: RW 353-363
// (section 457 distributions or contributions).
inline constexpr bool kEfw2Box11IsSection457 = false;

// The optional record RO is written only for an employee with an amount in
// one of its fields (box 8; box 12 codes A, B, M, N, R, S, T, Z), as later
// editions ask. Alternative: false (an RO after every RW).
inline constexpr bool kEfw2OptionalRecordOnlyWhenNeeded = true;

// ---- The SSA corrections file (EFW2C) --------------------------------------------

// Every 1024-character record is followed by CR LF. Alternative: nothing.
inline constexpr std::string_view kEfw2cRecordEnd = "\r\n";

// RCE 44-177, the employer's name and address: written, as later editions
// ask. Alternative: false (blanks; the writers of the time filled only the
// numbers and the employment code).
inline constexpr bool kEfw2cEmployerAddress = true;

// A total pair of RCT or RCU is written when some RCW (RCO) of its block
// carries the item, even when its two totals are equal, so that the file's
// totals are the W-3c's. Alternative: false (blanks for equal totals, as a
// writer of the time did).
inline constexpr bool kEfw2cTotalsWhenCarried = true;

// ---- The IRS information return file (1099-MISC) -------------------------------

// Positions 749-750 of every 750-character record: CR LF. Alternative: two
// blanks (the records back to back, as every edition accepts).
inline constexpr std::string_view kIrsRecordEnd = "\r\n";

// The payer record's positions 6 and 26-27: the tax year 2002 arrangement
// (combined federal/state flag at 26, type of return "A" at 27). Alternative:
// the later one (flag at 6, type of return "A " at 26-27).
enum class PayerRecordLayout { CombinedFlagAt26, CombinedFlagAt6 };
inline constexpr PayerRecordLayout kIrsPayerRecordLayout = PayerRecordLayout::CombinedFlagAt26;

// The payer record's amount codes field: 14 positions (28-41). Alternative:
// 12 (28-39). Identical for every list of 12 codes or fewer.
inline constexpr size_t kIrsAmountCodesWidth = 14;

// Payment amounts F and G (B 223-246) and their totals (C and K 268-303),
// which a 1099-MISC does not use: zeros. Alternative: ' ' (blanks).
inline constexpr char kIrsUnusedAmountFill = '0';

// T 705-739, the vendor's contact e-mail: written (the tax year 2002 meaning).
// Alternative: false (blanks, as later editions).
inline constexpr bool kIrsWriteVendorEmail = true;

// Letters are written in upper case. Alternative: false.
inline constexpr bool kIrsUpperCase = true;

// Characters the file keeps in names and addresses, besides letters and
// digits. Others are left out (with a warning); characters with no ASCII form
// are refused.
inline constexpr std::string_view kIrsTextPunctuation = " &-,./'#";

// A payer block whose forms report nothing but direct sales (box 9) lists
// amount code "1" in its payer record, as later editions direct.
inline constexpr std::string_view kIrsDirectSalesOnlyCode = "1";

// The software vendor of the transmitter record (T 518-739): "V", software
// bought from a vendor, with the vendor's name. The vendor's address and
// contact details are written when known; blanks otherwise.
inline constexpr char kIrsVendorIndicator = 'V';
inline constexpr std::string_view kIrsVendorName = "QUORVANE";
inline constexpr std::string_view kIrsVendorAddress = "";
inline constexpr std::string_view kIrsVendorCity = "";
inline constexpr std::string_view kIrsVendorState = "";
inline constexpr std::string_view kIrsVendorZip = "";
inline constexpr std::string_view kIrsVendorContact = "";
inline constexpr std::string_view kIrsVendorPhone = "";
inline constexpr std::string_view kIrsVendorEmail = "";

// The states of the Combined Federal/State Filing program for 2007, with the
// code each receives in B 747-748 and K 747-748 (the list of the 1998-2004
// program years; the 2007 list was not seen).
struct CombinedFilingState {
  std::string_view state;
  std::string_view code;
};
inline constexpr std::array<CombinedFilingState, 27> kCombinedFilingStates = {{
    {"AL", "01"}, {"AZ", "04"}, {"AR", "05"}, {"CA", "06"}, {"DE", "10"}, {"DC", "11"}, {"GA", "13"},
    {"HI", "15"}, {"ID", "16"}, {"IN", "18"}, {"IA", "19"}, {"KS", "20"}, {"ME", "23"}, {"MA", "25"},
    {"MN", "27"}, {"MS", "28"}, {"MO", "29"}, {"MT", "30"}, {"NJ", "34"}, {"NM", "35"}, {"NY", "36"},
    {"NC", "37"}, {"ND", "38"}, {"OR", "41"}, {"SC", "45"}, {"TN", "47"}, {"WI", "55"},
}};

}  // namespace formet::efile
