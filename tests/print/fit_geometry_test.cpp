// Every variant of every form printed for the worst-case company (the
// longest text each field accepts, the largest amounts, four box 12 codes
// with years, both state lines, every check box): each drawn text's cell,
// measured with the fonts the Qt canvas draws with, lies inside its box (and
// on blank paper clear of the box's label and of the drawing), or the value
// is reported cut and its first characters lie there.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "../forms/page_check.h"
#include "../forms/worst_case.h"
#include "../forms/worst_w2c.h"
#include "forms/1099/form1096_print.h"
#include "forms/1099/form1099_corrections.h"
#include "forms/1099/form1099_pictures.h"
#include "forms/1099/form1099_print.h"
#include "forms/print/print_options.h"
#include "forms/print/qt/qt_canvas.h"
#include "forms/w2/w2_pictures.h"
#include "forms/w2/w2_print.h"
#include "forms/w2/w2_reissued.h"
#include "forms/w2/w2c_print.h"
#include "forms/w2/w3_print.h"
#include "pdf_canvas.h"

namespace formet {
namespace {

using test::Area;
using test::WorstCase;

// Measures texts as the Qt canvas draws them into a PDF file.
class QtMeasure {
 public:
  Area operator()(const CanvasOp& op) {
    pdf_.Canvas().SetFont(op.font);
    const TextSize size = pdf_.Canvas().TextExtent(op.text);
    return {1.0 * op.x, 1.0 * op.y, 1.0 * op.x + size.width, 1.0 * op.y + size.height};
  }

 private:
  test::PdfCanvas pdf_;
};

struct Variant {
  std::string name;
  FormPrintSettings settings;
};

FormPrintSettings Settings(int paperType, int copy = 0) {
  FormPrintSettings s;
  s.paperType = paperType;
  s.blankCopyType = copy;
  s.printTarget = 1;
  return s;
}

class FitGeometry : public ::testing::Test {
 protected:
  // Checks every page of a job; the boxes of the red-ink form by form.
  // `additions`: what a copy's print draws over its pictures.
  void Check(const std::string& variant, const FormPrintJob& job, const std::map<std::string, std::string>& boxOf,
             bool redInk, const std::function<std::vector<FormBoxes>()>& redInkBoxes = {},
             const FormPicture* additions = nullptr) {
    const auto pages = RecordJob(job, RecordingCanvas::kLetterPdf, test::AllPictureNames());
    ASSERT_FALSE(pages.empty()) << variant;
    size_t texts = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
      const auto problems = redInk ? test::CheckRedInkPage(pages[i], boxOf, redInkBoxes(), std::ref(measure))
                                   : test::CheckPage(pages[i], boxOf, additions, std::ref(measure));
      for (const auto& problem : problems) ADD_FAILURE() << variant << ", page " << i + 1 << ": " << problem;
      texts += pages[i].Texts().size();
      cuts += pages[i].CutsOfPage().Size();
    }
    EXPECT_GT(texts, 10u) << variant;  // the data was drawn
  }

  QtMeasure measure;
  size_t cuts = 0;
};

TEST_F(FitGeometry, W2EveryVariant) {
  const WorstCase k = test::MakeWorstCase();
  const W2PrintData data{&k.company, &k.employees, &k.w2s, k.order, 0};
  std::vector<Variant> variants = {{"red-ink", Settings(1)}, {"4-Up", Settings(0, kW2FourUp)},
                                   {"Copy A", Settings(0, kW2CopyASubstitute)}};
  for (int copy = 1; copy <= 5; ++copy) variants.push_back({"copy " + std::to_string(copy), Settings(0, copy)});
  // Offsets and a vertical space move the red-ink data and its boxes alike.
  FormPrintSettings moved = Settings(1);
  moved.horizontalOffset = -0.25, moved.verticalOffset = 0.30, moved.verticalSpace = 1.50;
  variants.push_back({"red-ink moved", moved});
  for (const Variant& v : variants) {
    const W2PrintJob job(data, v.settings);
    const bool redInk = job.Kind() == W2PrintKind::RedInk;
    const FormPicture additions = job.Kind() == W2PrintKind::Copy ? W2CopyAdditions(v.settings.blankCopyType)
                                                                  : FormPicture{};
    Check("W-2 " + v.name, job, job.Kind() == W2PrintKind::FourUp ? k.fourUpBoxOf : k.w2BoxOf, redInk, [&] {
      return std::vector<FormBoxes>{job.BoxesOf(0, RecordingCanvas::kLetterPdf),
                                    job.BoxesOf(1, RecordingCanvas::kLetterPdf)};
    }, job.Kind() == W2PrintKind::Copy ? &additions : nullptr);
  }
  EXPECT_EQ(cuts, 0u);  // the worst case fits every W-2, in smaller type where it must
}

TEST_F(FitGeometry, W3EveryVariantAndKindOfPayer) {
  for (int kind = 0; kind <= 6; ++kind) {
    const WorstCase k = test::MakeWorstCase(kind);
    for (int paper : {0, 1, 2}) {
      const FormPrintSettings s = Settings(paper);
      const W3PrintJob job(k.w3, s);
      Check("W-3 paper " + std::to_string(paper) + ", kind of payer " + std::to_string(kind), job, k.w3BoxOf,
            paper == 1, [&] {
              return std::vector<FormBoxes>{W3BoxesOf(W3Layout::RedInk, s, RecordingCanvas::kLetterPdf)};
            });
    }
  }
  EXPECT_EQ(cuts, 0u);
}

TEST_F(FitGeometry, Form1099EveryVariant) {
  const WorstCase k = test::MakeWorstCase();
  const Form1099PrintData data{&k.company, &k.contractors, &k.forms1099, k.order, 0};
  std::vector<Variant> variants = {{"red-ink", Settings(1)}};
  for (int copy = 0; copy <= 3; ++copy) variants.push_back({"copy " + std::to_string(copy), Settings(0, copy)});
  FormPrintSettings moved = Settings(1);
  moved.horizontalOffset = 0.40, moved.verticalOffset = -0.20;
  variants.push_back({"red-ink moved", moved});
  for (const Variant& v : variants)
    for (bool corrected : {false, true}) {
      Form1099PrintJob job(data, v.settings);
      // A corrected return: its CORRECTED box checked, on every form.
      if (corrected) job.MarkCorrected(std::vector<char>(k.contractors.size(), 1));
      const bool redInk = v.settings.paperType == 1;
      const FormPicture additions = redInk ? FormPicture{} : Form1099CopyAdditions(v.settings.blankCopyType);
      Check("1099-MISC " + v.name + (corrected ? " corrected" : ""), job, k.form1099BoxOf, redInk,
            [&] { return std::vector<FormBoxes>{job.BoxesOf(0), job.BoxesOf(1)}; }, redInk ? nullptr : &additions);
    }
  EXPECT_EQ(cuts, 0u);
}

TEST_F(FitGeometry, Form1096EveryVariant) {
  const WorstCase k = test::MakeWorstCase();
  for (int paper : {0, 1})
    for (bool corrections : {false, true}) {
      const FormPrintSettings s = Settings(paper);
      // The 1096 of corrections carries its legend below the form.
      Form1096Page page = k.form1096;
      auto boxOf = k.form1096BoxOf;
      if (corrections) {
        page.marginLegend = Form1099CorrectionTexts::k1096Legend;
        boxOf[page.marginLegend] = "legend";
      }
      Check("1096 paper " + std::to_string(paper) + (corrections ? " corrections" : ""), Form1096PrintJob(page, s),
            boxOf, paper == 1,
            [&] { return std::vector<FormBoxes>{Form1096BoxesOf(Form1096Layout::RedInk, s)}; });
    }
  EXPECT_EQ(cuts, 0u);
}

// The W-2c's Copy A on the red-ink form (also moved by offsets), its laser
// substitute and Copies 1, B, C, 2 and D, and the W-3c on red-ink and blank
// paper, for an ordinary correction and for the worst case.
TEST_F(FitGeometry, W2cEveryCopyAndW3c) {
  const std::pair<const char*, test::W2cCase> cases[] = {{"ordinary", test::OrdinaryW2c()},
                                                         {"worst case", test::WorstW2c()}};
  const RedInkOffsets moved{0.40, -0.20};
  for (const auto& [name, k] : cases) {
    ASSERT_FALSE(k.forms.empty()) << name;
    const std::string what = std::string(" (") + name + ")";
    Check("W-2c red-ink Copy A" + what, W2cPrintJob(k.forms, W2cCopy::RedInkCopyA), k.boxOf, true,
          [] { return std::vector<FormBoxes>{W2cBoxesOnPage(true)}; });
    Check("W-2c red-ink Copy A moved" + what, W2cPrintJob(k.forms, W2cCopy::RedInkCopyA, moved), k.boxOf, true,
          [&] { return std::vector<FormBoxes>{W2cBoxesOnPage(true, moved)}; });
    for (int copy = 0; copy < kW2cCopyCount; ++copy)
      Check("W-2c " + W2cCopyName(static_cast<W2cCopy>(copy)) + what,
            W2cPrintJob(k.forms, static_cast<W2cCopy>(copy)), k.boxOf, false);

    // The lines of "Explain decreases here" as the print flows them.
    std::map<std::string, std::string> w3cBoxOf = k.w3cBoxOf;
    for (bool redInk : {true, false}) {
      const PrintBox* box = W3cBoxesOnPage(redInk).Find("explain");
      ASSERT_NE(box, nullptr);
      const W3cExplanation e = LayOutExplanation(k.w3c.explainDecreases, *box);
      EXPECT_FALSE(e.cut) << name;
      std::string joined;
      for (const auto& line : e.lines) {
        w3cBoxOf[line] = "explain";
        joined += (joined.empty() ? "" : " ") + line;
      }
      EXPECT_EQ(joined, k.w3c.explainDecreases) << name;  // every word, in its order
    }
    Check("W-3c red-ink" + what, W3cPrintJob(k.w3c, true), w3cBoxOf, true,
          [] { return std::vector<FormBoxes>{W3cBoxesOnPage(true)}; });
    Check("W-3c red-ink moved" + what, W3cPrintJob(k.w3c, true, moved), w3cBoxOf, true,
          [&] { return std::vector<FormBoxes>{W3cBoxesOnPage(true, moved)}; });
    Check("W-3c blank paper" + what, W3cPrintJob(k.w3c, false), w3cBoxOf, false);
  }
  EXPECT_EQ(cuts, 0u);
}

// One page of a job, as a job of its own.
class OnePage : public FormPrintJob {
 public:
  OnePage(const FormPrintJob& job, int page) : job_(job), page_(page) {}
  int PageCount() const override { return 1; }
  void DrawPage(Canvas& canvas, int) const override { job_.DrawPage(canvas, page_); }

 private:
  const FormPrintJob& job_;
  int page_;
};

// The reissued statement: each copy's data and its mark inside their boxes,
// for the worst-case employee.
TEST_F(FitGeometry, ReissuedStatementEveryCopy) {
  const WorstCase k = test::MakeWorstCase();
  const W2ReissuedJob job(W2PrintData{&k.company, &k.employees, &k.w2s, k.order, 0});
  ASSERT_EQ(job.PageCount(), 3);
  std::map<std::string, std::string> boxOf = k.w2BoxOf;
  boxOf[kReissuedMark] = "reissued";
  for (int page = 1; page <= 3; ++page) {
    const int copy = kReissuedCopies[static_cast<size_t>(page - 1)];
    const FormPicture additions = W2CopyAdditions(copy);
    Check("reissued copy " + std::to_string(copy), OnePage(job, page), boxOf, false, {}, &additions);
  }
  EXPECT_EQ(cuts, 0u);
}

// The longest explanation the W-3c keeps: the lines that fit, every one
// inside its box, and the rest cut and reported.
TEST_F(FitGeometry, W3cLongestExplanationIsCutInsideItsBox) {
  test::W2cCase k = test::OrdinaryW2c();
  std::string longest;
  while (longest.size() + 60 < kW3cExplanationLimit) longest += "Box 1 was overstated by a bonus paid in 2008. ";
  k.w3c.explainDecreases = longest;
  for (bool redInk : {true, false}) {
    const PrintBox* box = W3cBoxesOnPage(redInk).Find("explain");
    ASSERT_NE(box, nullptr);
    const W3cExplanation e = LayOutExplanation(longest, *box);
    EXPECT_TRUE(e.cut);
    EXPECT_EQ(e.font.tenthsOfPoint, kSmallestFittedSize);
    std::map<std::string, std::string> boxOf = k.w3cBoxOf;
    for (const auto& line : e.lines) boxOf[line] = "explain";
    cuts = 0;
    if (redInk)
      Check("W-3c red-ink, longest explanation", W3cPrintJob(k.w3c, true), boxOf, true,
            [] { return std::vector<FormBoxes>{W3cBoxesOnPage(true)}; });
    else
      Check("W-3c blank paper, longest explanation", W3cPrintJob(k.w3c, false), boxOf, false);
    EXPECT_EQ(cuts, 1u) << redInk;
  }
}

// The worst case holds its field lengths: a longer field would need another
// look at the forms.
TEST_F(FitGeometry, TheWorstCaseHoldsTheLongestTextsTheFieldsAccept) {
  const WorstCase k = test::MakeWorstCase();
  const CompanyRecord& c = k.company;
  const std::pair<std::string, size_t> lengths[] = {
      {c.EmployerName(), 30}, {c.Address1(), 30}, {c.Address2(), 30}, {c.City(), 20}, {c.StateID(), 15},
      {c.FormW3ControlNumber(), 20}, {c.FormW3ThirdPartySickPay(), 30}, {c.FormW3ContactName(), 20},
      {c.FormW3Email(), 40}, {c.Form1096ContactName(), 20}, {c.Form1096Email(), 40}, {c.Form1096FilerName(), 59},
      {k.employees[0].FirstName(), 20}, {k.employees[0].LastName(), 20}, {k.employees[0].Suffix(), 3},
      {k.employees[0].Address1(), 30}, {k.employees[0].Address2(), 30}, {k.employees[0].City(), 20},
      {k.w2s[0].Other1(), 14}, {k.w2s[0].StateID1(), 15}, {k.w2s[0].StateID2(), 15}, {k.w2s[0].LocalityName1(), 6},
      {k.contractors[0].NameLine1(), 39}, {k.contractors[0].NameLine2(), 39}, {k.contractors[0].Address1(), 30},
      {k.contractors[0].AccountNumber(), 12}, {k.forms1099[0].PayerStateID1(), 15}, {k.w2s[0].Wages(), 12}};
  for (const auto& [text, length] : lengths) EXPECT_EQ(text.size(), length) << text;
}

}  // namespace
}  // namespace formet
