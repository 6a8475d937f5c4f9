// Red-ink prints with zero offsets, on a PDF page with its quarter-inch
// margins, against the boxes of the real 2007 forms (millimetres from the
// paper's top-left corner, as measured from the government's PDFs). Every
// text must start inside its box and its cell end above the box's bottom.
// The W-3 has no measured 2007 grid: its data is held against our laser W-3,
// which follows the rows of the real form.
#include <gtest/gtest.h>

#include "forms/1099/form1096_print.h"
#include "forms/1099/form1099_print.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w3_pictures.h"
#include "forms/w2/w3_print.h"
#include "print_fixture.h"

namespace formet {
namespace {

struct Box {
  double left, top, right, bottom;  // mm
};

// The canvas's units on the page: a quarter inch (63.5 units) from the edges.
double Mm(int units) { return (units + 63.5) / 10.0; }

void ExpectInside(const RecordingCanvas& page, const std::string& text, Box box, double tolerance = 0.5,
                  int occurrence = 0) {
  const auto ops = test::TextsNamed(page, text);
  ASSERT_GT(ops.size(), static_cast<size_t>(occurrence)) << text;
  const CanvasOp& op = ops[static_cast<size_t>(occurrence)];
  EXPECT_GE(Mm(op.x), box.left - tolerance) << text;
  EXPECT_LE(Mm(op.x2), box.right + tolerance) << text;
  EXPECT_GE(Mm(op.y), box.top - tolerance) << text;
  EXPECT_LE(Mm(op.y2), box.bottom + tolerance) << text;
}

void ExpectMarkInside(const CanvasOp& line, Box box, double tolerance = 0.5) {
  for (const auto& [x, y] : {std::pair{line.x, line.y}, {line.x2, line.y2}}) {
    EXPECT_GE(Mm(x), box.left - tolerance);
    EXPECT_LE(Mm(x), box.right + tolerance);
    EXPECT_GE(Mm(y), box.top - tolerance);
    EXPECT_LE(Mm(y), box.bottom + tolerance);
  }
}

Box Lower(Box b, double pitch) { return {b.left, b.top + pitch, b.right, b.bottom + pitch}; }

TEST(RedInkGeometry, W2DataFallsIntoTheBoxesOfBothForms) {
  test::PrintPayroll payroll(2);
  for (auto& w : payroll.forms) {
    w.SetSocialSecurityTaxWithheld("123456.78");
    w.SetSocialSecurityWages(w.SocialSecurityTaxWithheld());
    w.SetFederalIncomeTaxWithdrawal(w.SocialSecurityTaxWithheld());
    w.SetWages(w.SocialSecurityTaxWithheld());
    w.SetAllocatedTips("123456.78");
    w.SetSocialSecurityTips(w.AllocatedTips());
    w.SetMedicareTaxWithheld(w.AllocatedTips());
    w.SetMedicareWages(w.AllocatedTips());
    w.SetNonQualifiedPlans("123456.78");
    w.SetDependentCareBenefits(w.NonQualifiedPlans());
    w.SetAdvancEICPayment(w.NonQualifiedPlans());
    w.SetField12aCode("D"), w.SetField12aYear(""), w.SetField12aAmount("12345.67");
    w.SetField12dCode("DD"), w.SetField12dYear(""), w.SetField12dAmount("1234.56");
    w.SetOther1("UNION 123.00"), w.SetOther3("CASDI 45.00");
    w.SetState2("NY"), w.SetStateID2("NY-123456789");
    w.SetLocalIncomeTax1("12345.67");
    w.SetLocalWages1(w.LocalIncomeTax1());
    w.SetStateIncomTax1(w.LocalIncomeTax1());
    w.SetStateWages1(w.LocalIncomeTax1());
    w.SetLocalIncomeTax2("1234.56");
    w.SetStateWages2(w.LocalIncomeTax2());
    w.SetLocalityName1("BOSTON");
    w.StatutoryEmployee = w.RetirementPlan = w.ThirdPartySickpay = 1;
  }
  FormPrintSettings s;
  s.printTarget = 1;
  const auto page = RecordJob(W2PrintJob({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, s))[0];
  // The second form of the sheet lies half a page (139.7 mm) lower.
  for (int form = 0; form < 2; ++form) {
    const double pitch = form * 139.7;
    const auto at = [&](const std::string& text, Box box, int occurrence) {
      ExpectInside(page, text, Lower(box, pitch), 0.5, occurrence);
    };
    at("123-45-678" + std::to_string(form + 1), {53.4, 13.1, 99.1, 21.5}, 0);              // a
    at("12-3456789", {12.9, 21.5, 116.8, 30.0}, form);                                       // b
    at("Acme Supply", {12.9, 30.0, 116.8, 55.3}, form);                                      // c
    at("Springfield, MA 01101-0001", {12.9, 30.0, 116.8, 55.3}, form);
    at("CTRL9", {12.9, 55.3, 116.8, 63.8}, form);                                            // d
    at("Ann Q", {12.9, 63.8, 61.1, 72.2}, form);                                             // e
    at("Lee" + std::to_string(form + 1), {61.1, 63.8, 109.2, 72.2}, 0);
    at("Jr", {109.2, 63.8, 116.8, 72.2}, form);
    at("9 Elm Rd", {12.9, 72.2, 116.8, 101.8}, form);                                        // f
    at("Boston, MA 02101", {12.9, 72.2, 116.8, 101.8}, form);
    // Boxes 1-11 in their two columns, row by row.
    const double rows[] = {21.5, 30.0, 38.4, 46.9, 55.3, 63.8, 72.2};
    for (int box = 0; box < 11; ++box) {
      const double left = box % 2 == 0 ? 116.8 : 160.0;
      at("123456.78", {left, rows[box / 2], left + 43.2, rows[box / 2 + 1]}, form * 11 + box);
    }
    at("D ", {160.0, 63.8, 172.7, 72.2}, form);                                               // 12a code
    at("12345.67", {172.7, 63.8, 203.2, 72.2}, form * 5);                                     // 12a amount
    at("DD ", {160.0, 89.1, 172.7, 97.6}, form);                                              // 12d
    at("1234.56", {172.7, 89.1, 203.2, 97.6}, form * 3);
    at("UNION 123.00", {116.8, 80.7, 160.0, 101.8}, form);                                    // 14
    at("CASDI 45.00", {116.8, 80.7, 160.0, 101.8}, form);
    at("MA", {12.9, 101.8, 23.0, 110.3}, form);                                               // 15, line 1
    at("MA-77", {23.0, 101.8, 68.7, 110.3}, form);
    at("NY", {12.9, 110.3, 23.0, 118.8}, form);                                               // line 2
    at("NY-123456789", {23.0, 110.3, 68.7, 118.8}, form);
    at("12345.67", {68.7, 101.8, 99.1, 110.3}, form * 5 + 1);                                 // 16
    at("12345.67", {99.1, 101.8, 127.0, 110.3}, form * 5 + 2);                                // 17
    at("12345.67", {127.0, 101.8, 157.5, 110.3}, form * 5 + 3);                               // 18
    at("12345.67", {157.5, 101.8, 185.4, 110.3}, form * 5 + 4);                               // 19
    at("1234.56", {157.5, 110.3, 185.4, 118.8}, form * 3 + 2);
    at("BOSTON", {185.4, 101.8, 203.2, 110.3}, form);                                         // 20
  }
  // Box 13: the three crosses in their check boxes (3.5 x 3.7 mm).
  const auto lines = page.OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 12u);
  for (int k = 0; k < 3; ++k) {
    const double left = 122.9 + 12.7 * k;
    ExpectMarkInside(lines[static_cast<size_t>(2 * k)], {left, 76.5, left + 3.5, 80.2});
  }
}

TEST(RedInkGeometry, Form1099DataFallsIntoTheBoxesAndTheMarksIntoTheirCheckBoxes) {
  test::PrintContractors people(1);
  Form1099Record& f = people.forms[0];
  for (TextMember<Form1099Record> box : {Form1099Record::Text::Rents, Form1099Record::Text::Royalities, Form1099Record::Text::OtherIncome, Form1099Record::Text::FederalIncomeTaxWithheld,
                           Form1099Record::Text::FishingBoatProceeds, Form1099Record::Text::MedicalAndHealthCarePayments, Form1099Record::Text::NonemployeeCompensation,
                           Form1099Record::Text::SubstitutePayments, Form1099Record::Text::CropInsuranceProceeds, Form1099Record::Text::ExcessGoldenParachutePayments,
                           Form1099Record::Text::GrossProceedsPaidToAttorney, Form1099Record::Text::Field15A, Form1099Record::Text::Field15B, Form1099Record::Text::StateTaxWithheld1,
                           Form1099Record::Text::StateTaxWithheld2, Form1099Record::Text::StateIncome1, Form1099Record::Text::StateIncome2})
    box.Set(f, "12345.67");
  f.PayerMadeDirectSales = 1;
  people.contractors[0].SecondTIN = 1;
  FormPrintSettings s;
  s.printTarget = 1;
  const auto page =
      RecordJob(Form1099PrintJob({&people.company, &people.contractors, &people.forms, people.order, 0}, s))[0];
  ExpectInside(page, "Acme Supply", {16.8, 16.9, 103.2, 52.9});
  ExpectInside(page, "(413) 555-0100", {16.8, 16.9, 103.2, 52.9});
  ExpectInside(page, "12-3456789", {16.8, 52.9, 60.1, 67.7});          // payer's TIN
  ExpectInside(page, "11-222331", {60.1, 52.9, 103.2, 67.7});          // recipient's TIN
  ExpectInside(page, "Bolt Electric 1", {16.8, 67.7, 103.2, 84.7});
  ExpectInside(page, "dba Bolt", {16.8, 67.7, 103.2, 84.7});
  ExpectInside(page, "5 Oak Ave", {16.8, 84.7, 103.2, 97.4});
  ExpectInside(page, "Albany, NY 12201", {16.8, 97.4, 103.2, 105.8});
  ExpectInside(page, "AC-1", {16.8, 105.8, 87.9, 118.5});
  // Boxes 1-8, 10, 13, 14 in the two money columns.
  struct Money {
    int occurrence;
    Box box;
  };
  for (const Money& m : {Money{0, {103.2, 16.9, 138.8, 29.6}}, Money{1, {103.2, 29.6, 138.8, 42.3}},
                         Money{2, {103.2, 42.3, 138.8, 52.9}}, Money{3, {138.8, 42.3, 174.4, 52.9}},
                         Money{4, {103.2, 52.9, 138.8, 67.7}}, Money{5, {138.8, 52.9, 174.4, 67.7}},
                         Money{6, {103.2, 67.7, 138.8, 84.7}}, Money{7, {138.8, 67.7, 174.4, 84.7}},
                         Money{8, {138.8, 84.7, 174.4, 97.4}}, Money{9, {103.2, 105.8, 138.8, 118.5}},
                         Money{10, {138.8, 105.8, 174.4, 118.5}}, Money{11, {16.8, 118.5, 60.1, 131.2}},
                         Money{12, {60.1, 118.5, 103.2, 131.2}}, Money{13, {103.2, 118.5, 138.8, 127.0}},
                         Money{14, {103.2, 127.0, 138.8, 131.2}}, Money{15, {174.4, 118.5, 202.3, 127.0}},
                         Money{16, {174.4, 127.0, 202.3, 131.2}}}) {
    // The second state line is a tight 4.2 mm for a 12-point cell.
    ExpectInside(page, "12345.67", m.box, m.occurrence == 14 || m.occurrence == 16 ? 1.0 : 0.5, m.occurrence);
  }
  ExpectInside(page, "NY-1", {138.8, 118.5, 174.4, 127.0});  // box 17
  // The marks: 2nd TIN not., box 9, and VOID on the empty lower form (140.2 mm lower).
  const auto lines = page.OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 6u);
  ExpectMarkInside(lines[0], {93.8, 114.3, 97.3, 117.8});
  ExpectMarkInside(lines[2], {134.3, 93.1, 137.8, 96.7});
  ExpectMarkInside(lines[4], {65.1, 12.5 + 140.2, 68.7, 16.0 + 140.2}, 1.0);
}

TEST(RedInkGeometry, Form1096DataFallsIntoItsBoxes) {
  CompanyRecord c = test::PrintCompany();
  c.SetForm1096ContactName("Pat Doe");
  c.SetForm1096Email("pat@example.com");
  c.SetForm1096Telephone("(413) 555-0100");
  std::vector<Form1099Record> forms(2);
  forms[0].SetRents("123456.78");
  forms[0].SetFederalIncomeTaxWithheld("1234.56");
  const auto page = RecordJob(Form1096PrintJob(Build1096Page(c, forms), FormPrintSettings{}))[0];
  // The 2007 form's left rules are known from a later form only: 1 mm leeway.
  ExpectInside(page, "Acme Supply", {17.9, 33.8, 129.5, 46.5}, 1.0);
  ExpectInside(page, "1 Main St", {17.9, 46.5, 129.5, 59.2}, 1.0);
  ExpectInside(page, "Springfield, MA 01101-0001", {17.9, 59.2, 129.5, 67.6}, 1.0);
  ExpectInside(page, "Pat Doe", {17.9, 67.6, 88.9, 76.1}, 1.0);
  ExpectInside(page, "pat@example.com", {17.9, 76.1, 88.9, 84.6}, 1.0);
  ExpectInside(page, "413", {88.9, 67.6, 142.2, 76.1}, 1.0);
  ExpectInside(page, "12-3456789", {17.9, 84.6, 53.4, 93.0}, 1.0);
  ExpectInside(page, "2", {88.9, 84.6, 119.4, 93.0}, 1.0);
  ExpectInside(page, "1234.56", {119.4, 84.6, 154.9, 93.0}, 1.0);
  ExpectInside(page, "123456.78", {154.9, 84.6, 203.1, 93.0}, 1.0);
}

// ---- the longest values the fields take, on the red-ink forms ------------------------
// A text's cell, in millimetres from the paper's corner, must end before the
// rule that closes its box.

CanvasOp Only(const RecordingCanvas& page, const std::string& text) {
  const auto ops = test::TextsNamed(page, text);
  EXPECT_EQ(ops.size(), 1u) << text;
  return ops.empty() ? CanvasOp{} : ops[0];
}

TEST(RedInkGeometry, W2LongNamesAndAmountsStayInTheirBoxes) {
  test::PrintPayroll payroll(1);
  EmployeeRecord& e = payroll.employees[0];
  e.SetFirstName("Maximilian-Alexander");  // 20, the most the field takes
  e.SetMiddleName("QR");
  e.SetLastName("Vandenberghe-Smithee");
  e.SetSuffix("III");
  W2Record& w = payroll.forms[0];
  w.SetStateWages1("999999999.91");  // 12 characters, the longest amount
  w.SetStateIncomTax1("999999999.92");
  w.SetLocalWages1("999999999.93");
  w.SetLocalIncomeTax1("999999999.94");
  FormPrintSettings s;
  const auto page = RecordJob(W2PrintJob({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, s))[0];
  // The suffix ends before box 11, the first name and initial before the last name.
  EXPECT_LE(Mm(Only(page, "III").x2), 116.8);
  EXPECT_LE(Mm(Only(page, "Maximilian-Alexander QR").x2), 61.1);
  EXPECT_LE(Mm(Only(page, "Vandenberghe-Smithee").x2), 109.2);
  // State and local amounts end before the next box.
  const std::pair<const char*, double> amounts[] = {
      {"999999999.91", 99.1}, {"999999999.92", 127.0}, {"999999999.93", 157.5}, {"999999999.94", 185.4}};
  for (const auto& [amount, right] : amounts) EXPECT_LE(Mm(Only(page, amount).x2), right) << amount;
}

TEST(RedInkGeometry, W2Box12CodeAndYearStayLeftOfTheAmount) {
  test::PrintPayroll payroll(1);
  W2Record& w = payroll.forms[0];
  w.SetField12aCode("AA");
  w.SetField12aYear("07");
  w.SetField12aAmount("999999999.99");
  w.SetField12bCode("D");
  w.SetField12bYear("06");
  w.SetField12bAmount("999999999.98");
  FormPrintSettings s;
  const auto page = RecordJob(W2PrintJob({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, s))[0];
  // The code column ends at the divider at x 172.7; the amount begins after it.
  for (const auto& [code, amount] : {std::pair{"AA 07", "999999999.99"}, {"D 06", "999999999.98"}}) {
    const CanvasOp c = Only(page, code);
    const CanvasOp a = Only(page, amount);
    EXPECT_LE(Mm(c.x2), 172.7) << code;
    EXPECT_GE(Mm(a.x), 172.7) << amount;
    EXPECT_LE(Mm(a.x2), 203.2) << amount;
    EXPECT_LT(c.x2, a.x);
  }
}

TEST(RedInkGeometry, Form1099LongValuesStayInTheirBoxes) {
  test::PrintContractors people(1);
  people.contractors[0].SetCity("North Little Rock Ct");  // 20
  people.contractors[0].SetState("AR");
  people.contractors[0].SetZip("72114-1234");
  Form1099Record& f = people.forms[0];
  f.SetStateIncome1("1250000.00");
  f.SetStateIncome2("999999999.99");
  f.SetPayerStateID1("AR-1234567890");  // 13
  f.SetPayerStateID2("AR-123456789012");  // 15, the most the field takes
  FormPrintSettings s;
  s.printTarget = 1;
  const auto page =
      RecordJob(Form1099PrintJob({&people.company, &people.contractors, &people.forms, people.order, 0}, s))[0];
  EXPECT_LE(Mm(Only(page, "North Little Rock Ct, AR 72114-1234").x2), 103.2);  // before boxes 11 and 12
  EXPECT_LE(Mm(Only(page, "AR-1234567890").x2), 174.4);                         // before box 18
  EXPECT_LE(Mm(Only(page, "AR-123456789012").x2), 174.4);
  EXPECT_LE(Mm(Only(page, "1250000.00").x2), 202.3);  // inside the form's right edge
  EXPECT_LE(Mm(Only(page, "999999999.99").x2), 202.3);
}

TEST(RedInkGeometry, Form1096FilerNameOfFiftyNineCharactersStaysInItsBox) {
  CompanyRecord c = test::PrintCompany();
  c.SetForm1096FilerName(std::string(59, 'W'));
  const auto page = RecordJob(Form1096PrintJob(Build1096Page(c, std::vector<Form1099Record>{}), FormPrintSettings{}))[0];
  // The filer block ends at x 129.5, where "For Official Use Only" begins.
  EXPECT_LE(Mm(Only(page, c.Form1096FilerName()).x2), 129.5);
}

// The W-3's red-ink data against the boxes of our laser W-3 where it lies on
// the PDF page (its picture at (29, 20), as the laser substitute places it):
// every text's cell inside its box, below the box's label.
TEST(RedInkGeometry, W3DataFallsIntoTheBoxesOfTheForm) {
  CompanyRecord c = test::PrintCompany();
  c.SetCity("North Little Rock Ct");  // the longest city: 20 characters
  c.SetFormW3ContactName("Pat Doe");
  c.SetFormW3Email("pat@example.com");
  c.SetFormW3Telephone("(413) 555-0100");
  c.SetFormW3Fax("(414) 555-0101");
  c.SetFormW3EstablishmentNumber("0012");
  c.SetFormW3OtherEIN("98-7654321");
  c.SetFormW3IncomeTaxWithHeld("14.00");
  c.SetFormW3ThirdPartySickPay("13.00");
  c.FormW3RadioKindOfPayer = 6;  // 944
  c.FormW3CheckThirdPartySickPay = 1;
  std::vector<W2Record> forms(1);
  W2Record& w = forms[0];
  const std::pair<TextMember<W2Record>, const char*> amounts[] = {
      {W2Record::Text::Wages, "101.00"},          {W2Record::Text::FederalIncomeTaxWithdrawal, "102.00"}, {W2Record::Text::SocialSecurityWages, "103.00"},
      {W2Record::Text::SocialSecurityTaxWithheld, "104.00"}, {W2Record::Text::MedicareWages, "105.00"}, {W2Record::Text::MedicareTaxWithheld, "106.00"},
      {W2Record::Text::SocialSecurityTips, "107.00"}, {W2Record::Text::AllocatedTips, "108.00"},        {W2Record::Text::AdvancEICPayment, "109.00"},
      {W2Record::Text::DependentCareBenefits, "110.00"}, {W2Record::Text::NonQualifiedPlans, "111.00"}, {W2Record::Text::Field12aAmount, "112.00"},
      {W2Record::Text::StateWages1, "116.00"},     {W2Record::Text::StateIncomTax1, "117.00"},          {W2Record::Text::LocalWages1, "118.00"},
      {W2Record::Text::LocalIncomeTax1, "119.00"}};
  for (const auto& [field, value] : amounts) field.Set(w, value);
  w.SetField12aCode("D");
  const W3Page page = BuildW3Page(c, forms);
  const auto printed = RecordJob(W3PrintJob(page, FormPrintSettings{}))[0];
  const FormPicture laser = W3LaserPicture();
  const std::pair<std::string, const char*> boxOf[] = {
      {"CTRL9", "a"}, {"1", "c"}, {"0012", "d"}, {"12-3456789", "e"}, {"Acme Supply", "f"}, {"1 Main St", "g"},
      {"Suite 2", "g"}, {"North Little Rock Ct, MA 01101-0001", "g"}, {"98-7654321", "h"}, {"MA", "15-state"},
      {"MA-77", "15-id"}, {"Pat Doe", "contact"}, {"pat@example.com", "email"}, {"413", "telephone"},
      {" 555-0100", "telephone"}, {"414", "fax"}, {" 555-0101", "fax"}, {"101.00", "1"}, {"102.00", "2"}, {"103.00", "3"},
      {"104.00", "4"}, {"105.00", "5"}, {"106.00", "6"}, {"107.00", "7"}, {"108.00", "8"}, {"109.00", "9"},
      {"110.00", "10"}, {"111.00", "11"}, {"112.00", "12"}, {"13.00", "13"}, {"14.00", "14"}, {"116.00", "16"},
      {"117.00", "17"}, {"118.00", "18"}, {"119.00", "19"}};
  for (const auto& [text, id] : boxOf) {
    const PictureBox* box = laser.FindBox(id);
    ASSERT_NE(box, nullptr) << id;
    const auto ops = test::TextsNamed(printed, text);
    ASSERT_FALSE(ops.empty()) << text;
    const CanvasOp& op = ops.front();
    const int left = box->left + 29, top = box->top + 20, right = box->right + 29, bottom = box->bottom + 20;
    const int labelBottom = box->labelBottom + 20, labelTop = box->labelTop + 20;
    const bool labelOnTop = box->labelTop + box->labelBottom < box->top + box->bottom;
    EXPECT_GE(op.x, left) << text;
    EXPECT_LE(op.x2, right) << text;
    EXPECT_GE(op.y, labelOnTop ? labelBottom : top) << text << " (box " << id << ")";
    EXPECT_LE(op.y2, labelOnTop ? bottom : labelTop) << text << " (box " << id << ")";
  }
  // The marks of the kind of payer (944) and of third-party sick pay, in the
  // drawing's check boxes.
  const auto lines = printed.OfKind(CanvasOp::Kind::Line);
  ASSERT_EQ(lines.size(), 4u);
  const char* boxes[2] = {"b-944", "b-sick-pay"};
  for (int k = 0; k < 2; ++k) {
    const PictureBox* box = laser.FindBox(boxes[k]);
    ASSERT_NE(box, nullptr);
    for (const CanvasOp& stroke : {lines[2 * k], lines[2 * k + 1]}) {
      EXPECT_GT(std::min(stroke.x, stroke.x2), box->left + 29) << boxes[k];
      EXPECT_LT(std::max(stroke.x, stroke.x2), box->right + 29) << boxes[k];
      EXPECT_GT(std::min(stroke.y, stroke.y2), box->top + 20) << boxes[k];
      EXPECT_LT(std::max(stroke.y, stroke.y2), box->bottom + 20) << boxes[k];
    }
  }
}

}  // namespace
}  // namespace formet
