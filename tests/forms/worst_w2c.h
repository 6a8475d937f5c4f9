#pragma once
// W-2c's and a W-3c to print, with the box each printed text goes in: an
// ordinary correction made from a filed W-2 and its change, and the worst
// case (the longest texts of the worst-case company, every numbered box
// changed with the largest amounts, four box 12 lines, every check box).
#include <map>
#include <string>
#include <vector>

#include "forms/money.h"
#include "forms/w2/w2c_form.h"
#include "forms/w2/w3c_totals.h"
#include "page_check.h"
#include "worst_case.h"

namespace formet::test {

struct W2cCase {
  std::vector<W2cForm> forms;
  std::map<std::string, std::string> boxOf;
  W3cPage w3c;
  std::map<std::string, std::string> w3cBoxOf;
};

// `text` goes in box `id` (as well as in the boxes listed before).
inline void AddBox(std::map<std::string, std::string>& b, const std::string& text, const std::string& id) {
  std::string& boxes = b[text];
  if (!boxes.empty() && !ListsBox(boxes, id)) boxes += "|";
  if (!ListsBox(boxes, id)) boxes += id;
}

// Each line of a text held with line breaks goes in box `id`.
inline void AddLines(std::map<std::string, std::string>& b, const std::string& text, const std::string& id) {
  size_t from = 0;
  while (from <= text.size()) {
    const size_t end = text.find('\n', from);
    AddBox(b, text.substr(from, end == std::string::npos ? std::string::npos : end - from), id);
    if (end == std::string::npos) break;
    from = end + 1;
  }
}

inline void AddW2cBoxes(const W2cForm& f, std::map<std::string, std::string>& b) {
  AddBox(b, f.a + " / " + f.formCorrected, "a");
  AddBox(b, f.b, "b");
  AddBox(b, f.d, "d");
  AddBox(b, f.eFirst, "e-first");
  AddBox(b, f.eLast, "e-last");
  AddBox(b, f.eSuffix, "e-suffix");
  for (const auto* line : {&f.f1, &f.f2, &f.fCity}) AddBox(b, *line, "f");
  for (const auto* line : {&f.gName, &f.g1, &f.g2, &f.gCity}) AddBox(b, *line, "g");
  AddBox(b, f.h, "h");
  AddBox(b, f.i, "i");
  for (const auto& line : f.boxes) {
    AddLines(b, line.previously, std::string(line.box->key) + "-prev");
    AddLines(b, line.correct, std::string(line.box->key) + "-correct");
  }
  const char* lines[4] = {"12a", "12b", "12c", "12d"};
  for (size_t i = 0; i < f.box12.size() && i < 4; ++i) {
    const std::string key = lines[i];
    AddBox(b, f.box12[i].code, key + "-prev-code");
    AddBox(b, f.box12[i].code, key + "-correct-code");
    AddBox(b, f.box12[i].previously, key + "-prev");
    AddBox(b, f.box12[i].correct, key + "-correct");
  }
}

inline void AddW3cBoxes(const W3cPage& p, std::map<std::string, std::string>& b) {
  AddBox(b, p.a + " / W-2", "a");
  for (const auto* line : {&p.employerName, &p.address1, &p.address2, &p.cityLine}) AddBox(b, *line, "b");
  const std::pair<const char*, const std::string*> lettered[] = {{"d", &p.d}, {"e", &p.e}, {"f", &p.f}, {"g", &p.g},
                                                                 {"h", &p.h}, {"i", &p.i}, {"j", &p.j}};
  for (const auto& [id, value] : lettered) AddBox(b, *value, id);
  auto columns = [&](const std::string& key, const std::array<std::string, 2>& v) {
    AddBox(b, v[0], key + "-prev");
    AddBox(b, v[1], key + "-correct");
  };
  for (int box = 1; box <= 11; ++box) columns(std::to_string(box), p.box[static_cast<size_t>(box)]);
  columns("12", p.box12);
  columns("14", p.box14);
  columns("16", p.box16);
  columns("17", p.box17);
  columns("18", p.box18);
  columns("19", p.box19);
  AddBox(b, p.contactName, "contact");
  AddBox(b, p.telephone, "telephone");
  AddBox(b, p.email, "email");
  AddBox(b, p.fax, "fax");
}

// Box 1 raised, box 2 to zero, box 12 code D's amount changed.
inline W2cCase OrdinaryW2c() {
  W2cCase k;
  CompanyRecord company;
  company.SetEmployerIdentificationNumber("71-0123456");
  company.SetEmployerName("Acme Supply");
  company.SetAddress1("1 Main St");
  company.SetCity("Little Rock");
  company.SetState("AR");
  company.SetZip("72201");
  FiledW2 filed;
  filed.filedOn = "2008-02-15";
  filed.employee.EmployeeUniqueID = 1;
  filed.employee.SetSocialSecurityNumber("111-11-1111");
  filed.employee.SetFirstName("Ann");
  filed.employee.SetLastName("Lee");
  filed.employee.SetAddress1("9 Elm St");
  filed.employee.SetCity("Conway");
  filed.employee.SetState("AR");
  filed.employee.SetZip("72032");
  filed.form.EmployeeUniqueID = 1;
  filed.form.SetWages("1000.00");
  filed.form.SetFederalIncomeTaxWithdrawal("100.00");
  filed.form.SetField12aCode("D");
  filed.form.SetField12aAmount("150.00");
  filed.employer.ein = company.EmployerIdentificationNumber();
  W2cSide now{filed.employee, filed.form};
  now.form.SetWages("1200.00");
  now.form.SetFederalIncomeTaxWithdrawal("0.00");
  now.form.SetField12aAmount("175.00");
  k.forms = CompareW2(company, filed, now);
  for (const W2cForm& f : k.forms) AddW2cBoxes(f, k.boxOf);
  k.w3c = BuildW3cPage(company, k.forms, {filed});
  AddW3cBoxes(k.w3c, k.w3cBoxOf);
  return k;
}

inline W2cCase WorstW2c() {
  W2cCase k;
  const WorstCase worst = MakeWorstCase(6);
  const CompanyRecord& c = worst.company;
  for (const EmployeeRecord& e : worst.employees) {
    int n = 0;  // each form the same amounts: the boxes stand in the same places
    W2cForm f;
    f.employeeId = e.EmployeeUniqueID;
    f.formCorrected = "W-2c";
    f.b = e.SocialSecurityNumber();
    f.c = true;
    f.d = c.EmployerIdentificationNumber();
    f.eFirst = e.FirstName() + " " + e.MiddleName();
    f.eLast = e.LastName();
    f.eSuffix = e.Suffix();
    f.f1 = e.Address1();
    f.f2 = e.Address2();
    f.fCity = e.City() + ", " + e.State() + " " + e.Zip();
    f.gName = c.EmployerName();
    f.g1 = c.Address1();
    f.g2 = c.Address2();
    f.gCity = c.City() + ", " + c.State() + " " + c.Zip();
    f.h = "987-65-432" + std::to_string(e.EmployeeUniqueID);
    f.i = "Maximilian-Alexander QR Vandenberghe-Mueller" + std::string(e.EmployeeUniqueID == 1 ? "s" : "z");
    for (const W2cBoxDef& d : W2cBoxes()) {
      W2cBoxLine line;
      line.box = &d;
      const std::string key = d.key;
      if (d.kind == W2cBoxKind::Money) {
        line.previouslyCents = ParseMoneyCents(LargestAmount(++n));
        line.correctCents = ParseMoneyCents(LargestAmount(++n));
        line.previously = FormatCents(line.previouslyCents);
        line.correct = FormatCents(line.correctCents);
      } else if (key == "14") {
        auto lines = [](int m) {
          const std::string tag = std::to_string(m);
          return "UNION DUES " + tag + "\nSDI 12345.6" + tag + "\nHEALTH 480." + tag;
        };
        line.previously = lines(++n);
        line.correct = lines(++n);
      } else if (d.stateOrLocal && key.rfind("20", 0) == 0) {
        line.previously = "PHIL" + std::to_string(++n);
        line.correct = "CAMD" + std::to_string(++n);
      } else {
        line.previously = "PA PA-1234567890-" + std::to_string(++n);
        line.correct = "NJ NJ-9876543210-" + std::to_string(++n);
      }
      f.boxes.push_back(line);
    }
    const char* codes[4] = {"AA", "BB", "DD", "W"};
    for (const char* code : codes) {
      W2cBox12Line line;
      line.code = code;
      line.previouslyCents = ParseMoneyCents(LargestAmount(++n));
      line.correctCents = ParseMoneyCents(LargestAmount(++n));
      line.previously = FormatCents(line.previouslyCents);
      line.correct = FormatCents(line.correctCents);
      line.deferredCompensation = std::string(code) == "AA" || std::string(code) == "BB";
      f.box12.push_back(line);
    }
    f.box13 = W2cBox13{{true, true, true}, {true, true, true}};
    k.forms.push_back(f);
  }
  for (const W2cForm& f : k.forms) AddW2cBoxes(f, k.boxOf);

  // The W-3c of the longest company texts; its totals of 13 characters.
  k.w3c = BuildW3cPage(c, k.forms, {});
  W3cPage& p = k.w3c;
  p.h = "98-7654321";
  p.i = "0013";
  p.j = "PA-123456789-99";
  p.f = "0012";
  p.g = c.StateID();
  p.d = "9999";
  int n = 0;
  auto total = [&] { return "19999999" + std::to_string(10 + n++) + ".98"; };
  for (int box = 1; box <= 11; ++box) p.box[static_cast<size_t>(box)] = {total(), total()};
  for (auto* v : {&p.box12, &p.box14, &p.box16, &p.box17, &p.box18, &p.box19}) *v = {total(), total()};
  // Every box decreased, as the page words it, and the SSN corrections.
  p.explainDecreases.clear();
  for (const char* box : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "14", "16", "17", "18", "19"})
    p.explainDecreases += std::string("Box ") + box + " decreased by 1999999999.98. ";
  p.explainDecreases += "SSN and/or name corrected on 2 Forms W-2c.";
  AddW3cBoxes(p, k.w3cBoxOf);
  return k;
}

}  // namespace formet::test
