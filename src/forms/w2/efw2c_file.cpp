#include "forms/w2/efw2c_file.h"

#include <algorithm>
#include <map>
#include <span>
#include <unordered_map>

#include "forms/efile_choices.h"
#include "forms/money.h"
#include "forms/record_as_filed.h"
#include "forms/record_file_reading.h"
#include "forms/w2/efw2_file.h"
#include "records/employees.h"
#include "records/tax_year.h"
#include "store/global_doc.h"

namespace formet::efile {
namespace {

constexpr std::string_view kTaxYear = TaxYear::kYear;
constexpr size_t kDetailWidth = 11;
constexpr size_t kTotalWidth = 15;

// The money items of RCW, with the first position of the originally
// reported iteration in RCW and in RCT (the correct one follows it).
enum WageItem : size_t {
  kBox1, kBox2, kBox3, kBox4, kBox5, kBox6, kBox7, kBox9, kBox10, kCodeD, kCodeE, kCodeF, kCodeG, kCodeH,
  kNonqualified457, kCodeW, kNonqualifiedOther, kCodeQ, kCodeC, kCodeV, kCodeY, kCodeAA, kCodeBB, kWageItems
};
struct Place {
  size_t detail, total;
};
constexpr std::array<Place, kWageItems> kWagePlaces = {{
    {244, 11},  {266, 41},  {288, 71},  {310, 101}, {332, 131}, {354, 161}, {376, 191}, {398, 221},
    {420, 251}, {442, 281}, {464, 311}, {486, 341}, {508, 371}, {530, 401}, {596, 491}, {618, 521},
    {640, 551}, {662, 581}, {706, 641}, {728, 671}, {750, 701}, {772, 731}, {794, 761},
}};

// The money items of RCO and their totals in RCU.
enum OptionalItem : size_t { kBox8, kCodeAB, kCodeR, kCodeS, kCodeT, kCodeM, kCodeN, kCodeZ, kOptionalItems };
constexpr std::array<Place, kOptionalItems> kOptionalPlaces = {{
    {13, 11}, {35, 41}, {57, 71}, {79, 101}, {101, 131}, {123, 161}, {145, 191}, {167, 221},
}};

// Where each box 12 code goes: an item of RCW, or of RCO.
struct CodePlace {
  std::string_view code;
  bool optionalRecord;
  size_t item;
};
constexpr CodePlace kCodePlaces[] = {
    {"A", true, kCodeAB},   {"B", true, kCodeAB},   {"C", false, kCodeC},   {"D", false, kCodeD},
    {"E", false, kCodeE},   {"F", false, kCodeF},   {"G", false, kCodeG},   {"H", false, kCodeH},
    {"M", true, kCodeM},    {"N", true, kCodeN},    {"Q", false, kCodeQ},   {"R", true, kCodeR},
    {"S", true, kCodeS},    {"T", true, kCodeT},    {"V", false, kCodeV},   {"W", false, kCodeW},
    {"Y", false, kCodeY},   {"Z", true, kCodeZ},    {"AA", false, kCodeAA}, {"BB", false, kCodeBB},
};

// Box 13: statutory employee, retirement plan, third-party sick pay; each
// a pair of indicators.
constexpr size_t kBox13Places[3] = {1003, 1005, 1007};

struct Blank {
  size_t pos, len;
};
constexpr Blank kRcaBlanks[] = {{21, 9}, {166, 46}, {259, 3}, {302, 3}, {324, 701}};
constexpr Blank kRceBlanks[] = {{8, 9}, {26, 14}, {178, 44}, {222, 1}, {224, 801}};
constexpr Blank kRcwBlanks[] = {{199, 45}, {552, 44}, {684, 22}, {816, 187}, {1009, 16}};
constexpr Blank kRcoBlanks[] = {{4, 9}, {189, 836}};
constexpr Blank kRctBlanks[] = {{431, 60}, {611, 30}, {791, 234}};
constexpr Blank kRcuBlanks[] = {{251, 774}};
constexpr Blank kRcfBlanks[] = {{13, 1012}};

// One item in two iterations; `carried` when the W-2c corrects it.
struct Pair {
  bool carried = false;
  int64_t previously = 0, correct = 0;
  void Add(int64_t p, int64_t c) {
    carried = true;
    previously += p;
    correct += c;
  }
};

struct Sums {
  size_t rcw = 0, rco = 0;
  std::array<Pair, kWageItems> wage{};
  std::array<Pair, kOptionalItems> optional{};
};

void EndRecord(std::string& file) { file += kEfw2cRecordEnd; }

void WritePair(RecordWriter& rec, size_t pos, size_t width, const Pair& p) {
  if (!p.carried) return;
  rec.Money(pos, width, p.previously);
  rec.Money(pos + width, width, p.correct);
}

// ---- RCA and RCE -----------------------------------------------------------------

void WriteSubmitter(const SubmitterFields& s, std::string& file) {
  RecordWriter ra(file, kEfw2cRecordWidth);
  ra.Put(1, 3, "RCA");
  ra.Put(4, 9, s.ein);
  ra.Put(13, 8, s.pin);
  ra.Put(21, 4, kEfw2SoftwareVendorCode);
  ra.Put(30, 2, kEfw2SoftwareCode);
  ra.Text(32, 57, s.name);
  ra.Text(89, 22, s.location);
  ra.Text(111, 22, s.delivery);
  ra.Text(133, 22, s.city);
  ra.Put(155, 2, s.state);
  ra.Put(157, 5, s.zip.zip5);
  ra.Put(162, 4, s.zip.ext4);
  ra.Text(212, 27, s.contact);
  ra.Put(239, 15, s.phone);
  ra.Put(254, 5, s.extension);
  ra.Put(262, 40, s.email);
  ra.Put(305, 10, s.fax);
  ra.Put(315, 1, s.notify);
  ra.Put(316, 1, s.preparer);
  ra.Put(317, 1, s.resubmission ? "1" : "0");
  if (s.resubmission) ra.Put(318, 6, s.wfid);
  EndRecord(file);
}

void WriteEmployer(const EmployerFields& e, std::string& file) {
  RecordWriter re(file, kEfw2cRecordWidth);
  re.Put(1, 3, "RCE");
  re.Put(4, 4, kTaxYear);
  re.Put(17, 9, e.ein);
  re.Text(40, 4, e.establishment);
  if (kEfw2cEmployerAddress) {
    re.Text(44, 57, e.name);
    re.Text(101, 22, e.location);
    re.Text(123, 22, e.delivery);
    re.Text(145, 22, e.city);
    re.Put(167, 2, e.state);
    re.Put(169, 5, e.zip.zip5);
    re.Put(174, 4, e.zip.ext4);
  }
  re.Put(223, 1, std::string_view(&e.employmentCode, 1));
  EndRecord(file);
}

// ---- RCW and RCO: one employee's W-2c's ------------------------------------------

struct EmployeeCorrection {
  EmployeeText correct;
  std::string previousSsn;                     // digits, when the SSN was corrected
  FileText previousFirst, previousMiddle, previousLast;
  bool nameCorrected = false;
  std::array<Pair, kWageItems> wage{};
  std::array<Pair, kOptionalItems> optional{};
  std::array<std::optional<std::array<bool, 2>>, 3> box13{};  // previously, correct
};

bool SameName(const EmployeeRecord& a, const EmployeeRecord& b) {
  return a.FirstName() == b.FirstName() && a.MiddleName() == b.MiddleName() && a.LastName() == b.LastName();
}

// Checks the W-2c's of one employee (the first and its further forms of box
// 12 lines) and gives what the employee's records hold.
EmployeeCorrection CheckCorrection(Report& report, const EmployeeRecord& employee,
                                   std::span<const W2cForm* const> forms) {
  const std::string where = "W-2c of " + EmployeeFullName(employee) + " (" + employee.SocialSecurityNumber() + ")";
  EmployeeCorrection c;
  c.correct = CheckEmployeeText(report, where, employee);
  const W2cForm& first = *forms.front();
  if (first.c) {
    const EmployeeRecord& was = first.iEmployee;
    if (DigitsOf(was.SocialSecurityNumber()) != DigitsOf(employee.SocialSecurityNumber())) {
      const IdCheck ssn = CheckSsn(was.SocialSecurityNumber(), false);
      if (ssn.problem)
        report.Error(where, "the social security number as previously reported " + *ssn.problem);
      c.previousSsn = ssn.digits;
    }
    if (!SameName(was, employee)) {
      c.nameCorrected = true;
      c.previousFirst = CheckText(report, where, "First name as previously reported", was.FirstName(), NameRule(15));
      c.previousMiddle =
          CheckText(report, where, "Middle name as previously reported", was.MiddleName(), NameRule(15));
      c.previousLast =
          CheckText(report, where, "Last name as previously reported", was.LastName(), NameRule(20, true));
    }
  }
  for (const auto& problem : first.problems) report.Error(where, problem);

  for (const auto& line : first.boxes) {
    if (line.box->stateOrLocal) continue;  // state and local boxes go to the state, not the SSA
    const std::string_view key = line.box->key;
    if (line.box->kind != W2cBoxKind::Money) {
      report.Warning(where, "box " + std::string(key) +
                                " is not reported in the corrections file: the SSA file has no field for it");
      continue;
    }
    if (line.previouslyCents < 0 || line.correctCents < 0) continue;  // listed with the W-2c's problems
    static const std::pair<std::string_view, size_t> kWageBoxes[] = {
        {"1", kBox1}, {"2", kBox2}, {"3", kBox3}, {"4", kBox4}, {"5", kBox5},
        {"6", kBox6}, {"7", kBox7}, {"9", kBox9}, {"10", kBox10},
        {"11", kEfw2Box11IsSection457 ? kNonqualified457 : kNonqualifiedOther}};
    if (key == "8") {
      c.optional[kBox8].Add(line.previouslyCents, line.correctCents);
      continue;
    }
    for (const auto& [box, item] : kWageBoxes)
      if (box == key) c.wage[item].Add(line.previouslyCents, line.correctCents);
  }
  for (const W2cForm* form : forms) {
    for (const auto& line : form->box12) {
      const CodePlace* place = nullptr;
      for (const auto& p : kCodePlaces)
        if (p.code == line.code) place = &p;
      if (!place) {
        report.Warning(where, "box 12 code " + line.code +
                                  " is not reported: the corrections file has no field for it");
        continue;
      }
      if (line.previouslyCents < 0 || line.correctCents < 0) continue;
      (place->optionalRecord ? c.optional[place->item] : c.wage[place->item])
          .Add(line.previouslyCents, line.correctCents);
    }
  }
  if (first.box13)
    for (size_t i = 0; i < 3; ++i)
      if (first.box13->previously[i] != first.box13->correct[i])
        c.box13[i] = std::array<bool, 2>{first.box13->previously[i], first.box13->correct[i]};

  const auto fits = [&](const Pair& p) {
    return !p.carried || (FitsMoney(p.previously, kDetailWidth) && FitsMoney(p.correct, kDetailWidth));
  };
  if (!std::all_of(c.wage.begin(), c.wage.end(), fits) || !std::all_of(c.optional.begin(), c.optional.end(), fits))
    report.Error(where, "an amount is larger than the 11 digits of the corrections file hold");
  return c;
}

void WriteCorrection(const EmployeeCorrection& c, Sums& sums, std::string& file) {
  RecordWriter rw(file, kEfw2cRecordWidth);
  rw.Put(1, 3, "RCW");
  rw.Put(4, 9, c.previousSsn);
  rw.Put(13, 9, c.correct.ssn);
  if (c.nameCorrected) {
    rw.Text(22, 15, c.previousFirst);
    rw.Text(37, 15, c.previousMiddle);
    rw.Text(52, 20, c.previousLast);
  }
  rw.Text(72, 15, c.correct.first);
  rw.Text(87, 15, c.correct.middle);
  rw.Text(102, 20, c.correct.last);
  rw.Text(122, 22, c.correct.location);
  rw.Text(144, 22, c.correct.delivery);
  rw.Text(166, 22, c.correct.city);
  rw.Put(188, 2, c.correct.state);
  rw.Put(190, 5, c.correct.zip.zip5);
  rw.Put(195, 4, c.correct.zip.ext4);
  for (size_t i = 0; i < kWageItems; ++i) {
    WritePair(rw, kWagePlaces[i].detail, kDetailWidth, c.wage[i]);
    if (c.wage[i].carried) sums.wage[i].Add(c.wage[i].previously, c.wage[i].correct);
  }
  for (size_t i = 0; i < 3; ++i)
    if (c.box13[i]) {
      rw.Put(kBox13Places[i], 1, (*c.box13[i])[0] ? "1" : "0");
      rw.Put(kBox13Places[i] + 1, 1, (*c.box13[i])[1] ? "1" : "0");
    }
  EndRecord(file);
  ++sums.rcw;

  if (std::none_of(c.optional.begin(), c.optional.end(), [](const Pair& p) { return p.carried; })) return;
  RecordWriter ro(file, kEfw2cRecordWidth);
  ro.Put(1, 3, "RCO");
  for (size_t i = 0; i < kOptionalItems; ++i) {
    WritePair(ro, kOptionalPlaces[i].detail, kDetailWidth, c.optional[i]);
    if (c.optional[i].carried) sums.optional[i].Add(c.optional[i].previously, c.optional[i].correct);
  }
  EndRecord(file);
  ++sums.rco;
}

// ---- RCT, RCU ----------------------------------------------------------------------

template <size_t N>
bool TotalsFit(const std::array<Pair, N>& pairs) {
  return std::all_of(pairs.begin(), pairs.end(), [](const Pair& p) {
    return FitsMoney(p.previously, kTotalWidth) && FitsMoney(p.correct, kTotalWidth);
  });
}

void WriteTotals(Report& report, const Sums& sums, std::string& file) {
  if (!TotalsFit(sums.wage) || !TotalsFit(sums.optional))
    report.Error("Corrections file", "a total is larger than the 15 digits of the total record hold");
  RecordWriter rt(file, kEfw2cRecordWidth);
  rt.Put(1, 3, "RCT");
  rt.Count(4, 7, sums.rcw);
  for (size_t i = 0; i < kWageItems; ++i) WritePair(rt, kWagePlaces[i].total, kTotalWidth, sums.wage[i]);
  EndRecord(file);
  if (sums.rco == 0) return;
  RecordWriter ru(file, kEfw2cRecordWidth);
  ru.Put(1, 3, "RCU");
  ru.Count(4, 7, sums.rco);
  for (size_t i = 0; i < kOptionalItems; ++i) WritePair(ru, kOptionalPlaces[i].total, kTotalWidth, sums.optional[i]);
  EndRecord(file);
}

// ---- reading back --------------------------------------------------------------------

class Checker {
 public:
  explicit Checker(Efw2cFileCheck& result) : r_(result) {}

  void Problem(size_t record, std::string_view type, const std::string& text) {
    if (r_.problems.size() > kMaxProblems) return;
    if (r_.problems.size() == kMaxProblems) {
      r_.problems.push_back("further problems are not listed");
      return;
    }
    r_.problems.push_back("record " + std::to_string(record) + " (" + std::string(type) + "): " + text);
  }
  void Blanks(size_t n, std::string_view rec, std::span<const Blank> blanks) {
    for (const auto& b : blanks)
      if (!FilledWith(rec, b.pos, b.len, ' '))
        Problem(n, rec.substr(0, 3), "positions " + Range(b.pos, b.len) + " must be blank");
  }
  void OneOf(size_t n, std::string_view rec, size_t pos, size_t len, std::initializer_list<std::string_view> values) {
    const std::string_view field = FieldAt(rec, pos, len);
    for (auto v : values)
      if (field == v) return;
    Problem(n, rec.substr(0, 3),
            "position " + std::to_string(pos) + " holds \"" + std::string(field) + "\", which is not a valid code");
  }
  int64_t Number(size_t n, std::string_view rec, size_t pos, size_t len) {
    const auto v = NumberAt(rec, pos, len);
    if (!v) {
      Problem(n, rec.substr(0, 3), "positions " + Range(pos, len) + " must hold digits only");
      return 0;
    }
    return *v;
  }
  // Both iterations blank (nothing carried) or both digits.
  Pair ReadPair(size_t n, std::string_view rec, size_t pos, size_t width) {
    Pair p;
    const bool blank1 = FilledWith(rec, pos, width, ' '), blank2 = FilledWith(rec, pos + width, width, ' ');
    if (blank1 && blank2) return p;
    if (blank1 != blank2) {
      Problem(n, rec.substr(0, 3), "positions " + Range(pos, 2 * width) +
                                       ": one iteration is blank and the other is not");
      return p;
    }
    p.carried = true;
    p.previously = Number(n, rec, pos, width);
    p.correct = Number(n, rec, pos + width, width);
    return p;
  }
  void SameTotal(size_t n, std::string_view rec, size_t pos, const Pair& total, const Pair& sum) {
    const bool expected = kEfw2cTotalsWhenCarried ? sum.carried : sum.previously != sum.correct;
    if (total.carried != expected || (expected && (total.previously != sum.previously || total.correct != sum.correct)))
      Problem(n, rec.substr(0, 3), "the totals at " + Range(pos, 2 * kTotalWidth) +
                                       " are not the sums of their block's items");
  }

 private:
  static std::string Range(size_t pos, size_t len) {
    return std::to_string(pos) + "-" + std::to_string(pos + len - 1);
  }
  static constexpr size_t kMaxProblems = 50;
  Efw2cFileCheck& r_;
};

void AddTo(W3cColumns& to, const Pair& p) {
  to.previously += p.previously;
  to.correct += p.correct;
}

// Reads a corrections file back record by record: each record's own
// fields, the order of the records, and each block's totals against its
// records.
class Efw2cReader {
 public:
  explicit Efw2cReader(Efw2cFileCheck& result) : result_(result), check_(result) {}

  void Read(size_t i, std::string_view rec, std::string_view end) {
    const size_t n = i + 1;
    const std::string type(rec.substr(0, 3));
    CheckRecordFrame(check_, i, type, rec, end, kEfw2cRecordEnd, sawRcf_, "RCF", "RCA");
    if (rtSeen_ && block_.rco > 0 && type != "RCU")
      check_.Problem(n, type, "the block has RCO records: RCU must follow RCT");
    rtSeen_ = false;

    if (type == "RCA") {
      Rca(i, n, rec);
    } else if (type == "RCE") {
      Rce(n, type, rec);
    } else if (type == "RCW") {
      Rcw(n, type, rec);
    } else if (type == "RCO") {
      Rco(n, type, rec);
    } else if (type == "RCT") {
      Rct(n, type, rec);
    } else if (type == "RCU") {
      Rcu(n, type, rec);
    } else if (type == "RCF") {
      Rcf(n, type, rec);
    } else {
      check_.Problem(n, type, "is not a record type of the corrections file");
    }
    prev_ = type;
  }

  void Finish(size_t records) {
    if (rtSeen_ && block_.rco > 0) result_.problems.push_back("the file ends where RCU must follow RCT");
    if (inBlock_) result_.problems.push_back("the last employer block has no total record RCT");
    if (!sawRcf_ && records > 0) result_.problems.push_back("the file does not end with the final record RCF");
    if (result_.counts.rcw == 0 && records > 0) result_.problems.push_back("the file holds no RCW record");
  }

 private:
  void After(size_t n, const std::string& type, std::initializer_list<const char*> allowed) {
    CheckFollows(check_, n, type, prev_, allowed);
  }

  void Rca(size_t i, size_t n, std::string_view rec) {
    ++result_.counts.rca;
    if (i != 0) check_.Problem(n, "RCA", "RCA must be the first record and the only one");
    check_.Number(n, rec, 4, 9);
    check_.OneOf(n, rec, 30, 2, {"98", "99"});
    check_.OneOf(n, rec, 315, 1, {"1", "2"});
    check_.OneOf(n, rec, 316, 1, {"A", "L", "S", "P", "O"});
    check_.OneOf(n, rec, 317, 1, {"0", "1"});
    check_.Blanks(n, rec, kRcaBlanks);
  }

  void Rce(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rce;
    After(n, type, {"RCA", "RCT", "RCU"});
    if (FieldAt(rec, 4, 4) != kTaxYear) check_.Problem(n, type, "the tax year is not 2007");
    check_.Number(n, rec, 17, 9);
    check_.OneOf(n, rec, 223, 1, {"R", "F", "A", "H", "M", "Q", "X"});
    check_.Blanks(n, rec, kRceBlanks);
    block_ = Sums{};
    inBlock_ = true;
  }

  void Rcw(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rcw;
    ++totalRcw_;
    After(n, type, {"RCE", "RCW", "RCO"});
    if (!FilledWith(rec, 4, 9, ' ')) check_.Number(n, rec, 4, 9);
    check_.Number(n, rec, 13, 9);
    for (size_t f = 0; f < kWageItems; ++f) {
      const Pair p = check_.ReadPair(n, rec, kWagePlaces[f].detail, kDetailWidth);
      if (p.carried) block_.wage[f].Add(p.previously, p.correct);
    }
    for (size_t pos : kBox13Places) {
      if (FilledWith(rec, pos, 2, ' ')) continue;
      check_.OneOf(n, rec, pos, 1, {"0", "1"});
      check_.OneOf(n, rec, pos + 1, 1, {"0", "1"});
    }
    check_.Blanks(n, rec, kRcwBlanks);
    ++block_.rcw;
  }

  void Rco(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rco;
    After(n, type, {"RCW"});
    for (size_t f = 0; f < kOptionalItems; ++f) {
      const Pair p = check_.ReadPair(n, rec, kOptionalPlaces[f].detail, kDetailWidth);
      if (p.carried) block_.optional[f].Add(p.previously, p.correct);
    }
    check_.Blanks(n, rec, kRcoBlanks);
    ++block_.rco;
  }

  void Rct(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rct;
    After(n, type, {"RCW", "RCO"});
    if (check_.Number(n, rec, 4, 7) != static_cast<int64_t>(block_.rcw))
      check_.Problem(n, type, "the count of RCW records is not " + std::to_string(block_.rcw));
    std::array<Pair, kWageItems> t{};
    for (size_t f = 0; f < kWageItems; ++f) {
      t[f] = check_.ReadPair(n, rec, kWagePlaces[f].total, kTotalWidth);
      check_.SameTotal(n, rec, kWagePlaces[f].total, t[f], block_.wage[f]);
    }
    check_.Blanks(n, rec, kRctBlanks);
    Efw2cFileTotals& totals = result_.totals;
    totals.employees += static_cast<int32_t>(block_.rcw);
    const size_t boxOf[] = {kBox1, kBox2, kBox3, kBox4, kBox5, kBox6, kBox7};
    for (size_t b = 0; b < 7; ++b) AddTo(totals.box[b + 1], t[boxOf[b]]);
    AddTo(totals.box[9], t[kBox9]);
    AddTo(totals.box[10], t[kBox10]);
    AddTo(totals.box[11], t[kNonqualified457]);
    AddTo(totals.box[11], t[kNonqualifiedOther]);
    for (size_t f : {kCodeD, kCodeE, kCodeF, kCodeG, kCodeH, kCodeY, kCodeAA, kCodeBB}) AddTo(totals.box12, t[f]);
    rtSeen_ = true;
    inBlock_ = false;
  }

  void Rcu(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rcu;
    After(n, type, {"RCT"});
    if (block_.rco == 0) check_.Problem(n, type, "the block has no RCO record");
    if (check_.Number(n, rec, 4, 7) != static_cast<int64_t>(block_.rco))
      check_.Problem(n, type, "the count of RCO records is not " + std::to_string(block_.rco));
    for (size_t f = 0; f < kOptionalItems; ++f) {
      const Pair t = check_.ReadPair(n, rec, kOptionalPlaces[f].total, kTotalWidth);
      check_.SameTotal(n, rec, kOptionalPlaces[f].total, t, block_.optional[f]);
      if (f == kBox8) AddTo(result_.totals.box[8], t);
      if (f == kCodeS) AddTo(result_.totals.box12, t);
    }
    check_.Blanks(n, rec, kRcuBlanks);
  }

  void Rcf(size_t n, const std::string& type, std::string_view rec) {
    ++result_.counts.rcf;
    After(n, type, {"RCT", "RCU"});
    if (check_.Number(n, rec, 4, 9) != static_cast<int64_t>(totalRcw_))
      check_.Problem(n, type, "the count of RCW records is not " + std::to_string(totalRcw_));
    check_.Blanks(n, rec, kRcfBlanks);
    sawRcf_ = true;
  }

  Efw2cFileCheck& result_;
  Checker check_;
  std::string prev_;  // type of the record before
  Sums block_;        // sums of the block since the last RCE
  bool inBlock_ = false, rtSeen_ = false, sawRcf_ = false;
  size_t totalRcw_ = 0;
};

}  // namespace

Efw2cFileCheck CheckEfw2cFile(std::string_view bytes) {
  Efw2cFileCheck result;
  Efw2cReader reader(result);
  const size_t records = ForEachRecord(bytes, kEfw2cRecordWidth, kEfw2cRecordEnd, result.problems,
                                       [&](size_t i, std::string_view rec, std::string_view end) {
                                         reader.Read(i, rec, end);
                                       });
  if (records > 0) reader.Finish(records);
  return result;
}

std::vector<std::string> CompareWithW3c(const Efw2cFileTotals& file, const W3cTotals& w3c) {
  std::vector<std::string> differences;
  const auto compare = [&](const std::string& box, const W3cColumns& inFile, const W3cColumns& onW3c) {
    if (inFile.previously != onW3c.previously)
      differences.push_back("box " + box + " (previously reported): " + FormatCents(inFile.previously) +
                            " in the file, " + FormatCents(onW3c.previously) + " on the W-3c");
    if (inFile.correct != onW3c.correct)
      differences.push_back("box " + box + " (correct information): " + FormatCents(inFile.correct) +
                            " in the file, " + FormatCents(onW3c.correct) + " on the W-3c");
  };
  for (size_t b = 1; b <= 11; ++b) compare(std::to_string(b), file.box[b], w3c.box[b]);
  compare("12", file.box12, w3c.box12);
  return differences;
}

Efw2cResult MakeEfw2cFile(const SubmitterRecord& submitter, const CompanyRecord& company,
                          const std::vector<EmployeeRecord>& employees, const std::vector<W2cForm>& forms) {
  Efw2cResult result;
  Report& report = result.report;
  std::string& file = result.bytes;

  WriteSubmitter(CheckSubmitter(report, submitter), file);
  WriteEmployer(CheckEmployer(report, company), file);

  // One RCW per employee: the W-2c's of an employee in list order, the first
  // with its further forms of box 12 lines.
  std::vector<int32_t> order;
  std::map<int32_t, std::vector<const W2cForm*>> byEmployee;
  std::vector<W2cForm> toSsa;
  for (const auto& f : forms) {
    if (!f.toSsa) continue;
    toSsa.push_back(f);
    auto& list = byEmployee[f.employeeId];
    if (list.empty()) order.push_back(f.employeeId);
    list.push_back(&f);
  }
  if (order.empty())
    report.Error("Company", "there is no W-2c for the SSA; the corrections file needs at least one (a change of "
                            "state or local boxes alone goes to the state, an address alone to no one)");
  std::unordered_map<int32_t, const EmployeeRecord*> byId;
  for (const auto& e : employees) byId.emplace(e.EmployeeUniqueID, &e);
  Sums sums;
  for (int32_t id : order) {
    const auto it = byId.find(id);
    if (it == byId.end()) {
      report.Error("W-2c of employee number " + std::to_string(id),
                   "belongs to no employee of the company, so it has no name or social security number");
      continue;
    }
    WriteCorrection(CheckCorrection(report, *it->second, byEmployee[id]), sums, file);
  }
  WriteTotals(report, sums, file);
  RecordWriter rf(file, kEfw2cRecordWidth);
  rf.Put(1, 3, "RCF");
  rf.Count(4, 9, sums.rcw);
  EndRecord(file);

  if (report.HasErrors()) {
    file.clear();
    return result;
  }
  // Handed out only when it reads back sound and its totals are the W-3c's.
  const Efw2cFileCheck check = CheckEfw2cFile(file);
  std::vector<std::string> problems = check.problems;
  if (problems.empty()) problems = CompareWithW3c(check.totals, ComputeW3cTotals(toSsa));
  if (!problems.empty()) {
    report.Error("Corrections file",
                 "the file did not pass its read-back check, so it was not written: " + problems.front());
    file.clear();
    return result;
  }
  result.counts = check.counts;
  result.totals = check.totals;
  return result;
}

}  // namespace formet::efile

namespace formet {

efile::Efw2cResult MakeEfw2cFile(CGlobalDoc& doc) {
  const W2cList list = LoadW2cList(doc);
  return efile::MakeEfw2cFile(doc.GetSubmitter(), doc.GetCompany(), doc.GetEmployees(), list.forms);
}

std::string NoEfw2cMessage(CGlobalDoc& doc) {
  const W2cList list = LoadW2cList(doc);
  for (const auto& f : list.forms)
    if (f.toSsa) return {};
  return "There is no W-2c for the SSA, so there is no corrections file to write. A W-2c comes from a W-2 "
         "recorded as filed and changed since; a change of the state or local boxes alone goes to the state, "
         "and a change of the address alone to no one.";
}

std::string Efw2cSummary(const efile::Efw2cResult& r) {
  const auto& c = r.counts;
  const auto& t = r.totals;
  std::string text = std::to_string(t.employees) + (t.employees == 1 ? " employee" : " employees") + " in " +
                     std::to_string(c.rca + c.rce + c.rcw + c.rco + c.rct + c.rcu + c.rcf) + " records (" +
                     std::to_string(c.rca) + " RCA, " + std::to_string(c.rce) + " RCE, " + std::to_string(c.rcw) +
                     " RCW";
  if (c.rco) text += ", " + std::to_string(c.rco) + " RCO";
  text += ", " + std::to_string(c.rct) + " RCT";
  if (c.rcu) text += ", " + std::to_string(c.rcu) + " RCU";
  text += ", " + std::to_string(c.rcf) + " RCF).\nTotals, equal to the W-3c (previously reported / correct): wages " +
          efile::DollarsText(t.box[1].previously) + " / " + efile::DollarsText(t.box[1].correct) +
          ", social security wages " + efile::DollarsText(t.box[3].previously) + " / " +
          efile::DollarsText(t.box[3].correct) + ", deferred compensation " + efile::DollarsText(t.box12.previously) +
          " / " + efile::DollarsText(t.box12.correct) + ".";
  return text;
}

}  // namespace formet
