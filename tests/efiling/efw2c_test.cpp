// The SSA corrections file (EFW2C) of a small company, read back by a reader
// of its own: the field positions below are typed in from the published
// record layouts (1-based, inclusive), not taken from the writer.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "efiling_fixtures.h"
#include "forms/w2/efw2c_file.h"
#include "forms/w2/w2c_form.h"
#include "forms/w2/w3c_totals.h"

namespace formet {
namespace {

using test::Employee;

// ---- the layouts, field by field ----------------------------------------------------

struct Field {
  const char* name;
  size_t from, to;  // 1-based, inclusive
};

const std::vector<Field> kRca = {
    {"id", 1, 3},          {"ein", 4, 12},          {"pin", 13, 20},        {"vendor", 21, 24},
    {"software", 30, 31},  {"name", 32, 88},        {"location", 89, 110},  {"delivery", 111, 132},
    {"city", 133, 154},    {"state", 155, 156},     {"zip", 157, 161},      {"zipext", 162, 165},
    {"fstate", 172, 194},  {"fpostal", 195, 209},   {"country", 210, 211},  {"contact", 212, 238},
    {"phone", 239, 253},   {"phoneext", 254, 258},  {"email", 262, 301},    {"fax", 305, 314},
    {"notify", 315, 315},  {"preparer", 316, 316},  {"resub", 317, 317},    {"wfid", 318, 323},
};
const std::vector<Field> kRce = {
    {"id", 1, 3},           {"year", 4, 7},          {"ein was", 8, 16},      {"ein", 17, 25},
    {"agent", 26, 26},      {"agent for", 27, 35},   {"estab was", 36, 39},   {"estab", 40, 43},
    {"name", 44, 100},      {"location", 101, 122},  {"delivery", 123, 144},  {"city", 145, 166},
    {"state", 167, 168},    {"zip", 169, 173},       {"zipext", 174, 177},    {"fstate", 182, 204},
    {"fpostal", 205, 219},  {"country", 220, 221},   {"kind was", 222, 222},  {"kind", 223, 223},
    {"sick was", 224, 224}, {"sick", 225, 225},
};
// Money pairs of RCW: the item's name, then "was" at the first position and
// "is" 11 further.
const std::vector<std::pair<const char*, size_t>> kRcwMoney = {
    {"1", 244},  {"2", 266},  {"3", 288},   {"4", 310},  {"5", 332},  {"6", 354},   {"7", 376},   {"9", 398},
    {"10", 420}, {"D", 442},  {"E", 464},   {"F", 486},  {"G", 508},  {"H", 530},   {"457", 596}, {"W", 618},
    {"11", 640}, {"Q", 662},  {"C", 706},   {"V", 728},  {"Y", 750},  {"AA", 772},  {"BB", 794},
};
const std::vector<Field> kRcwText = {
    {"id", 1, 3},            {"ssn was", 4, 12},       {"ssn", 13, 21},          {"first was", 22, 36},
    {"middle was", 37, 51},  {"last was", 52, 71},     {"first", 72, 86},        {"middle", 87, 101},
    {"last", 102, 121},      {"location", 122, 143},   {"delivery", 144, 165},   {"city", 166, 187},
    {"state", 188, 189},     {"zip", 190, 194},        {"zipext", 195, 198},     {"fstate", 204, 226},
    {"fpostal", 227, 241},   {"country", 242, 243},    {"statutory was", 1003, 1003},
    {"statutory", 1004, 1004}, {"retirement was", 1005, 1005}, {"retirement", 1006, 1006},
    {"sick was", 1007, 1007}, {"sick", 1008, 1008},
};
const std::vector<std::pair<const char*, size_t>> kRcoMoney = {
    {"8", 13}, {"AB", 35}, {"R", 57}, {"S", 79}, {"T", 101}, {"M", 123}, {"N", 145}, {"Z", 167},
};
// Totals: "was" at the position, "is" 15 further.
const std::vector<std::pair<const char*, size_t>> kRctMoney = {
    {"1", 11},   {"2", 41},   {"3", 71},   {"4", 101},  {"5", 131},  {"6", 161},  {"7", 191},  {"9", 221},
    {"10", 251}, {"D", 281},  {"E", 311},  {"F", 341},  {"G", 371},  {"H", 401},  {"457", 491}, {"W", 521},
    {"11", 551}, {"Q", 581},  {"C", 641},  {"V", 671},  {"Y", 701},  {"AA", 731}, {"BB", 761},
};
const std::vector<std::pair<const char*, size_t>> kRcuMoney = {
    {"8", 11}, {"AB", 41}, {"R", 71}, {"S", 101}, {"T", 131}, {"M", 161}, {"N", 191}, {"Z", 221},
};

// One record read by the tables: every field by name ("1 was", "1 is" for
// the money pairs), trailing blanks cut; and whether every position outside
// the fields is blank.
struct Read {
  std::map<std::string, std::string> f;
  std::string outsideFields;  // the non-blank positions outside every field, e.g. "500"
  const std::string& operator[](const std::string& name) const {
    static const std::string none = "<no such field>";
    const auto it = f.find(name);
    return it == f.end() ? none : it->second;
  }
};

std::string Trim(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

Read ReadRecord(const std::string& rec, const std::vector<Field>& text,
                const std::vector<std::pair<const char*, size_t>>& money, size_t width) {
  Read r;
  std::vector<bool> covered(rec.size() + 1, false);
  const auto take = [&](const std::string& name, size_t from, size_t to) {
    r.f[name] = Trim(rec.substr(from - 1, to - from + 1));
    for (size_t p = from; p <= to; ++p) covered[p] = true;
  };
  for (const auto& f : text) take(f.name, f.from, f.to);
  for (const auto& [name, pos] : money) {
    take(std::string(name) + " was", pos, pos + width - 1);
    take(std::string(name) + " is", pos + width, pos + 2 * width - 1);
  }
  for (size_t p = 1; p <= rec.size(); ++p)
    if (!covered[p] && rec[p - 1] != ' ') r.outsideFields += (r.outsideFields.empty() ? "" : ",") + std::to_string(p);
  return r;
}

Read ReadAs(const std::string& rec) {
  const std::string id = rec.substr(0, 3);
  if (id == "RCA") return ReadRecord(rec, kRca, {}, 0);
  if (id == "RCE") return ReadRecord(rec, kRce, {}, 0);
  if (id == "RCW") return ReadRecord(rec, kRcwText, kRcwMoney, 11);
  if (id == "RCO") return ReadRecord(rec, {{"id", 1, 3}}, kRcoMoney, 11);
  if (id == "RCT") return ReadRecord(rec, {{"id", 1, 3}, {"count", 4, 10}}, kRctMoney, 15);
  if (id == "RCU") return ReadRecord(rec, {{"id", 1, 3}, {"count", 4, 10}}, kRcuMoney, 15);
  if (id == "RCF") return ReadRecord(rec, {{"id", 1, 3}, {"count", 4, 12}}, {}, 0);
  return {};
}

// The records of a file: 1024 characters, each followed by CR LF.
std::vector<std::string> Records(const std::string& bytes) {
  std::vector<std::string> records;
  EXPECT_EQ(bytes.size() % 1026, 0u);
  for (size_t at = 0; at + 1026 <= bytes.size(); at += 1026) {
    EXPECT_EQ(bytes.substr(at + 1024, 2), "\r\n") << "record " << records.size() + 1;
    records.push_back(bytes.substr(at, 1024));
  }
  return records;
}

// Every money item of a read record that is not blank, as "NAME was/is".
std::vector<std::string> FilledMoney(const Read& r, const std::vector<std::pair<const char*, size_t>>& money) {
  std::vector<std::string> filled;
  for (const auto& [name, pos] : money)
    for (const char* side : {" was", " is"})
      if (!r[std::string(name) + side].empty()) filled.push_back(std::string(name) + side);
  return filled;
}

int64_t Cents(const std::string& field) { return field.empty() ? 0 : std::stoll(field); }

// ---- the company: one W-2c of each kind -------------------------------------------

W2Record W2(int32_t id, const char* wages) {
  W2Record w;
  w.W2UniqueID = id;
  w.EmployeeUniqueID = id;
  w.SetWages(wages);
  w.SetFederalIncomeTaxWithdrawal("100.00");
  w.SetSocialSecurityWages(wages);
  w.SetMedicareWages(wages);
  return w;
}

// The social security and Medicare taxes of the wages, so that the correct
// column passes its checks.
void Taxes(W2Record& w) {
  const int64_t cents = std::stoll(w.Wages()) * 100;
  w.SetSocialSecurityTaxWithheld(std::to_string(cents * 62 / 1000 / 100) + "." +
                                std::to_string(cents * 62 / 1000 % 100 / 10) + std::to_string(cents * 62 / 1000 % 10));
  w.SetMedicareTaxWithheld(std::to_string(cents * 145 / 10000 / 100) + "." +
                          std::to_string(cents * 145 / 10000 % 100 / 10) + std::to_string(cents * 145 / 10000 % 10));
}

struct Company {
  SubmitterRecord submitter = test::Submitter();
  CompanyRecord company = test::Payer();
  std::vector<EmployeeRecord> employees;  // as now
  std::vector<W2Record> forms;            // as now
  std::vector<FiledW2> filed;

  void Add(const EmployeeRecord& wasE, const W2Record& wasW, const EmployeeRecord& nowE, const W2Record& nowW) {
    FiledW2 row;
    row.id = static_cast<int32_t>(filed.size() + 1);
    row.filedOn = "2008-02-15";
    row.employee = wasE;
    row.form = wasW;
    filed.push_back(row);
    employees.push_back(nowE);
    forms.push_back(nowW);
  }
  W2cList List() const { return BuildW2cList(company, employees, forms, filed, {}); }
  efile::Efw2cResult File() const { return efile::MakeEfw2cFile(submitter, company, employees, List().forms); }
};

// Ann: box 1 and 3 (with their taxes) and box 8 changed. Bo: SSN and name
// corrected, nothing else. Cy: box 12 code D became E, and the retirement
// plan box. Di: the address alone. Ed: a state box alone.
Company TestCompany() {
  Company c;
  {
    const auto e = Employee(1, "111-22-3333", "Ann", "B", "Lee", "", "1 Main St", "", "Decatur", "62521");
    W2Record was = W2(1, "1000.00"), now = W2(1, "1200.00");
    Taxes(was);
    Taxes(now);
    now.SetAllocatedTips("50.00");
    c.Add(e, was, e, now);
  }
  {
    const auto was = Employee(2, "222-33-4445", "Bo", "", "Rae", "", "2 Oak Ave", "", "Decatur", "62522");
    auto now = was;
    now.SetSocialSecurityNumber("222-33-4444");
    now.SetLastName("Ray");
    W2Record w = W2(2, "2000.00");
    Taxes(w);
    c.Add(was, w, now, w);
  }
  {
    const auto e = Employee(3, "333-44-5555", "Cy", "", "Dunn", "", "3 Elm St", "Apt 4", "Decatur", "62523-0004");
    W2Record was = W2(3, "3000.00");
    Taxes(was);
    was.SetField12aCode("D");
    was.SetField12aAmount("150.00");
    W2Record now = was;
    now.SetField12aCode("E");
    now.RetirementPlan = 1;
    c.Add(e, was, e, now);
  }
  {
    const auto was = Employee(4, "444-55-6666", "Di", "", "Fox", "", "4 Pine St", "", "Decatur", "62524");
    auto now = was;
    now.SetAddress1("40 Pine St");
    W2Record w = W2(4, "4000.00");
    Taxes(w);
    c.Add(was, w, now, w);
  }
  {
    const auto e = Employee(5, "555-66-7777", "Ed", "", "Gay", "", "5 Ash St", "", "Decatur", "62525");
    W2Record was = W2(5, "5000.00");
    Taxes(was);
    was.SetStateWages1("5000.00");
    W2Record now = was;
    now.SetStateWages1("5100.00");
    c.Add(e, was, e, now);
  }
  return c;
}

TEST(Efw2cTest, TheFileOfATestCompanyReadsBackFieldByField) {
  const Company c = TestCompany();
  const auto result = c.File();
  ASSERT_FALSE(result.report.HasErrors()) << result.report.Text();
  const auto records = Records(result.bytes);
  std::vector<Read> r;
  std::string order;
  for (const auto& rec : records) {
    ASSERT_EQ(rec.size(), 1024u);
    r.push_back(ReadAs(rec));
    order += rec.substr(0, 3) + " ";
    EXPECT_EQ(r.back().outsideFields, "") << rec.substr(0, 3) << " record " << r.size();
  }
  // The address-only and state-only changes send nothing to the SSA.
  ASSERT_EQ(order, "RCA RCE RCW RCO RCW RCW RCT RCU RCF ");

  const Read& rca = r[0];
  EXPECT_EQ(rca["ein"], "364125798");
  EXPECT_EQ(rca["pin"], "AB12CD34");
  EXPECT_EQ(rca["vendor"], "");
  EXPECT_EQ(rca["software"], "99");
  EXPECT_EQ(rca["name"], "LEDGER & LANE CPAS");
  EXPECT_EQ(rca["location"], "SUITE 210");
  EXPECT_EQ(rca["delivery"], "88 STATE ST");
  EXPECT_EQ(rca["city"], "SPRINGFIELD");
  EXPECT_EQ(rca["state"], "IL");
  EXPECT_EQ(rca["zip"], "62701");
  EXPECT_EQ(rca["zipext"], "4410");
  EXPECT_EQ(rca["contact"], "NORA QUIST");
  EXPECT_EQ(rca["phone"], "2175550142");
  EXPECT_EQ(rca["phoneext"], "17");
  EXPECT_EQ(rca["email"], "nora@ledgerlane.example");
  EXPECT_EQ(rca["fax"], "2175550143");
  EXPECT_EQ(rca["notify"], "1");
  EXPECT_EQ(rca["preparer"], "A");
  EXPECT_EQ(rca["resub"], "0");
  EXPECT_EQ(rca["wfid"], "");

  const Read& rce = r[1];
  EXPECT_EQ(rce["year"], "2007");
  EXPECT_EQ(rce["ein was"], "");  // the EIN was not corrected
  EXPECT_EQ(rce["ein"], "372233445");
  EXPECT_EQ(rce["estab was"], "");
  EXPECT_EQ(rce["estab"], "0001");
  EXPECT_EQ(rce["name"], "PRAIRIE TOOL & DIE");
  EXPECT_EQ(rce["delivery"], "400 INDUSTRIAL PKWY");
  EXPECT_EQ(rce["city"], "DECATUR");
  EXPECT_EQ(rce["zip"], "62521");
  EXPECT_EQ(rce["zipext"], "1234");
  EXPECT_EQ(rce["kind was"], "");
  EXPECT_EQ(rce["kind"], "R");

  // Ann: the amounts that changed, both iterations; everything else blank.
  const Read& ann = r[2];
  EXPECT_EQ(ann["ssn was"], "");
  EXPECT_EQ(ann["ssn"], "111223333");
  EXPECT_EQ(ann["first was"] + ann["middle was"] + ann["last was"], "");
  EXPECT_EQ(ann["first"], "ANN");
  EXPECT_EQ(ann["middle"], "B");
  EXPECT_EQ(ann["last"], "LEE");
  EXPECT_EQ(ann["delivery"], "1 MAIN ST");
  EXPECT_EQ(ann["city"], "DECATUR");
  EXPECT_EQ(ann["state"], "IL");
  EXPECT_EQ(ann["zip"], "62521");
  EXPECT_EQ(ann["1 was"], "00000100000");
  EXPECT_EQ(ann["1 is"], "00000120000");
  EXPECT_EQ(ann["3 was"], "00000100000");
  EXPECT_EQ(ann["3 is"], "00000120000");
  EXPECT_EQ(ann["4 was"], "00000006200");
  EXPECT_EQ(ann["4 is"], "00000007440");
  EXPECT_EQ(ann["5 was"], "00000100000");
  EXPECT_EQ(ann["5 is"], "00000120000");
  EXPECT_EQ(ann["6 was"], "00000001450");
  EXPECT_EQ(ann["6 is"], "00000001740");
  EXPECT_EQ(FilledMoney(ann, kRcwMoney),
            (std::vector<std::string>{"1 was", "1 is", "3 was", "3 is", "4 was", "4 is", "5 was", "5 is", "6 was",
                                      "6 is"}));
  EXPECT_EQ(ann["statutory was"] + ann["retirement was"] + ann["sick was"] + ann["statutory"] + ann["retirement"] +
                ann["sick"],
            "");
  // Her allocated tips: from zero, all zeros on the previously reported side.
  const Read& annOptional = r[3];
  EXPECT_EQ(annOptional["8 was"], "00000000000");
  EXPECT_EQ(annOptional["8 is"], "00000005000");
  EXPECT_EQ(FilledMoney(annOptional, kRcoMoney), (std::vector<std::string>{"8 was", "8 is"}));

  // Bo: the SSN and name as previously reported, and no amount.
  const Read& bo = r[4];
  EXPECT_EQ(bo["ssn was"], "222334445");
  EXPECT_EQ(bo["ssn"], "222334444");
  EXPECT_EQ(bo["first was"], "BO");
  EXPECT_EQ(bo["middle was"], "");
  EXPECT_EQ(bo["last was"], "RAE");
  EXPECT_EQ(bo["first"], "BO");
  EXPECT_EQ(bo["last"], "RAY");
  EXPECT_EQ(FilledMoney(bo, kRcwMoney), std::vector<std::string>{});

  // Cy: code D to zero, code E from zero, the retirement plan box; no name.
  const Read& cy = r[5];
  EXPECT_EQ(cy["ssn was"] + cy["first was"] + cy["last was"], "");
  EXPECT_EQ(cy["location"], "APT 4");
  EXPECT_EQ(cy["delivery"], "3 ELM ST");
  EXPECT_EQ(cy["zipext"], "0004");
  EXPECT_EQ(cy["D was"], "00000015000");
  EXPECT_EQ(cy["D is"], "00000000000");
  EXPECT_EQ(cy["E was"], "00000000000");
  EXPECT_EQ(cy["E is"], "00000015000");
  EXPECT_EQ(FilledMoney(cy, kRcwMoney), (std::vector<std::string>{"D was", "D is", "E was", "E is"}));
  EXPECT_EQ(cy["retirement was"], "0");
  EXPECT_EQ(cy["retirement"], "1");
  EXPECT_EQ(cy["statutory was"] + cy["statutory"] + cy["sick was"] + cy["sick"], "");

  // The totals: three employees, the sums of the items carried.
  const Read& rct = r[6];
  EXPECT_EQ(rct["count"], "0000003");
  EXPECT_EQ(FilledMoney(rct, kRctMoney),
            (std::vector<std::string>{"1 was", "1 is", "3 was", "3 is", "4 was", "4 is", "5 was", "5 is", "6 was",
                                      "6 is", "D was", "D is", "E was", "E is"}));
  EXPECT_EQ(rct["1 was"], "000000000100000");
  EXPECT_EQ(rct["1 is"], "000000000120000");
  EXPECT_EQ(rct["D was"], "000000000015000");
  EXPECT_EQ(rct["E is"], "000000000015000");
  const Read& rcu = r[7];
  EXPECT_EQ(rcu["count"], "0000001");
  EXPECT_EQ(rcu["8 was"], "000000000000000");
  EXPECT_EQ(rcu["8 is"], "000000000005000");
  EXPECT_EQ(FilledMoney(rcu, kRcuMoney), (std::vector<std::string>{"8 was", "8 is"}));
  EXPECT_EQ(r[8]["count"], "000000003");

  // The totals as read equal the W-3c of the same W-2c's, column by column.
  const W3cTotals w3c = ComputeW3cTotals(c.List().forms);
  const std::pair<int, const char*> boxes[] = {{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, "5"},
                                               {6, "6"}, {7, "7"}, {9, "9"}, {10, "10"}};
  for (const auto& [box, item] : boxes) {
    EXPECT_EQ(Cents(rct[std::string(item) + " was"]), w3c.box[box].previously) << "box " << box;
    EXPECT_EQ(Cents(rct[std::string(item) + " is"]), w3c.box[box].correct) << "box " << box;
  }
  EXPECT_EQ(Cents(rcu["8 was"]), w3c.box[8].previously);
  EXPECT_EQ(Cents(rcu["8 is"]), w3c.box[8].correct);
  EXPECT_EQ(Cents(rct["11 was"]) + Cents(rct["457 was"]), w3c.box[11].previously);
  int64_t box12Was = Cents(rcu["S was"]), box12Is = Cents(rcu["S is"]);
  for (const char* code : {"D", "E", "F", "G", "H", "Y", "AA", "BB"}) {
    box12Was += Cents(rct[std::string(code) + " was"]);
    box12Is += Cents(rct[std::string(code) + " is"]);
  }
  EXPECT_EQ(box12Was, w3c.box12.previously);
  EXPECT_EQ(box12Is, w3c.box12.correct);
  EXPECT_EQ(box12Was, 15000);
  EXPECT_EQ(w3c.box[1].correct, 120000);

  // The writer's own read-back agrees, and says what the user is told.
  EXPECT_EQ(result.counts, (efile::Efw2cCounts{1, 1, 3, 1, 1, 1, 1}));
  EXPECT_EQ(result.totals.box[1], (W3cColumns{100000, 120000}));
  EXPECT_NE(Efw2cSummary(result).find("3 employees in 9 records"), std::string::npos) << Efw2cSummary(result);
}

TEST(Efw2cTest, FurtherFormsOfBoxTwelveLinesJoinTheEmployeesRecord) {
  Company c;
  const auto e = Employee(1, "111-22-3333", "Ann", "", "Lee", "", "1 Main St", "", "Decatur", "62521");
  W2Record was = W2(1, "1000.00");
  Taxes(was);
  W2Record now = was;
  // Five codes change: four lines on the first W-2c, one on a further form.
  was.SetField12aCode("D"), was.SetField12aAmount("10.00");
  was.SetField12bCode("E"), was.SetField12bAmount("20.00");
  was.SetField12cCode("F"), was.SetField12cAmount("30.00");
  now.SetField12aCode("G"), now.SetField12aAmount("40.00");
  now.SetField12bCode("H"), now.SetField12bAmount("50.00");
  c.Add(e, was, e, now);
  ASSERT_EQ(c.List().forms.size(), 2u);
  const auto result = c.File();
  ASSERT_FALSE(result.report.HasErrors()) << result.report.Text();
  const auto records = Records(result.bytes);
  ASSERT_EQ(records.size(), 5u);  // RCA RCE RCW RCT RCF
  const Read rcw = ReadAs(records[2]);
  EXPECT_EQ(FilledMoney(rcw, kRcwMoney).size(), 10u);
  EXPECT_EQ(rcw["H is"], "00000005000");
  EXPECT_EQ(ReadAs(records[3])["count"], "0000001");
  EXPECT_EQ(result.totals.box12, (W3cColumns{6000, 9000}));
}

TEST(Efw2cTest, ProblemsAreListedAndNothingIsBuilt) {
  struct Case {
    const char* what;
    void (*change)(Company&);
    const char* where;
    const char* says;
  };
  const Case cases[] = {
      {"no PIN", [](Company& c) { c.submitter.SetSubmitterPIN(""); }, "Submitter", "PIN is empty"},
      {"no EIN", [](Company& c) { c.company.SetEmployerIdentificationNumber(""); }, "Company",
       "employer identification number"},
      {"above the wage base",
       [](Company& c) {
         c.forms[0].SetSocialSecurityWages("98000.00");
       },
       "W-2c of Ann B Lee (111-22-3333)", "97,500.00"},
      {"a bad SSN as previously reported", [](Company& c) { c.filed[1].employee.SetSocialSecurityNumber("000-12-3456"); },
       "W-2c of Bo Ray (222-33-4444)", "previously reported"},
      {"no last name", [](Company& c) { c.employees[2].SetLastName(""); }, "W-2c of Cy (333-44-5555)",
       "Last name"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    Company c = TestCompany();
    k.change(c);
    const auto result = c.File();
    EXPECT_TRUE(result.report.Has(efile::Severity::Error, k.where, k.says)) << result.report.Text();
    EXPECT_TRUE(result.bytes.empty());
  }
  // Only an address and a state box changed: nothing for the SSA.
  Company c = TestCompany();
  c.employees.erase(c.employees.begin(), c.employees.begin() + 3);
  c.forms.erase(c.forms.begin(), c.forms.begin() + 3);
  c.filed.erase(c.filed.begin(), c.filed.begin() + 3);
  const auto result = c.File();
  EXPECT_TRUE(result.report.Has(efile::Severity::Error, "Company", "no W-2c for the SSA")) << result.report.Text();
  EXPECT_TRUE(result.bytes.empty());
}

TEST(Efw2cTest, TheReadBackRefusesAFileThatIsNotSound) {
  const auto result = TestCompany().File();
  ASSERT_FALSE(result.bytes.empty()) << result.report.Text();
  const std::string good = result.bytes;
  ASSERT_TRUE(efile::CheckEfw2cFile(good).Ok());
  const size_t rcw = 2 * 1026;  // Ann's record
  const struct {
    const char* what;
    size_t at;
    std::string put;
    const char* says;
  } cases[] = {
      {"an amount that is not the total's", rcw + 254, "2", "not the sums"},
      {"one iteration blank", rcw + 243, std::string(11, ' '), "one iteration is blank"},
      {"a letter in an amount", rcw + 255, "X", "digits only"},
      {"a character in a blank position", rcw + 199, "Z", "must be blank"},
      {"a bad indicator", rcw + 1004, "7", "not a valid code"},
      {"a wrong count", 6 * 1026 + 9, "4", "count of RCW"},
      {"the record end", 1024, "X", "record end"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    std::string bad = good;
    bad.replace(k.at, k.put.size(), k.put);
    const auto check = efile::CheckEfw2cFile(bad);
    ASSERT_FALSE(check.Ok());
    EXPECT_NE(::testing::PrintToString(check.problems).find(k.says), std::string::npos)
        << ::testing::PrintToString(check.problems);
  }
  // Records out of order, and a file cut short.
  std::string swapped = good;
  std::swap_ranges(swapped.begin(), swapped.begin() + 1026, swapped.begin() + 1026);
  EXPECT_FALSE(efile::CheckEfw2cFile(swapped).Ok());
  EXPECT_FALSE(efile::CheckEfw2cFile(good.substr(0, good.size() - 1026)).Ok());
  EXPECT_FALSE(efile::CheckEfw2cFile(good.substr(0, good.size() - 1)).Ok());

  // The totals are compared with the W-3c, column by column.
  W3cTotals w3c = ComputeW3cTotals(TestCompany().List().forms);
  EXPECT_TRUE(efile::CompareWithW3c(result.totals, w3c).empty());
  w3c.box[3].correct += 1;
  EXPECT_EQ(efile::CompareWithW3c(result.totals, w3c),
            std::vector<std::string>{"box 3 (correct information): 1200.00 in the file, 1200.01 on the W-3c"});
}

}  // namespace
}  // namespace formet
