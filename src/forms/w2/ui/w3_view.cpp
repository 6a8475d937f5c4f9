#include "forms/w2/ui/w3_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "forms/form_page_rules.h"
#include "forms/print/ui/print_flow.h"
#include "forms/ui/form_sheet.h"
#include "kit/ui/qt_text.h"

namespace formet {
namespace {

// A read-only field named `name` of `characters` width in a box.
CShownField* ShownIn(CFormBox* box, const char* name, int characters) {
  auto* field = new CShownField(QString::fromLatin1(name), characters, box);
  box->Add(field);
  return field;
}

// A total's read-only field in a box.
CShownField* TotalIn(CFormBox* box, const char* name) {
  auto* field = TotalField(QString::fromLatin1(name), box);
  box->Add(field);
  return field;
}

}  // namespace

CW3View::CW3View(CGlobalDoc& doc, UiServices& ui, QWidget* parent)
    : CTransmittalPage(doc, ui, tr("W3 Form"), tr("&Print W3"),
                       tr("The totals of this form are computed from the W-2 forms of all employees each time it "
                          "is shown; the employer's details and the boxes for third-party sick pay come from the "
                          "W3 Information of Company Info."),
                       parent) {
  auto* footer = new QLabel(this);
  footer->setObjectName(QStringLiteral("FormTitle"));
  footer->setTextFormat(Qt::RichText);
  footer->setText(tr("Form <b style='font-size:large'>W-3</b>&nbsp; <b>Transmittal of Wage and Tax Statements</b>"
                     "&nbsp;&nbsp;&nbsp; <b style='font-size:large'>2007</b>"
                     "&nbsp;&nbsp;&nbsp; Department of the Treasury, Internal Revenue Service"));
  Finish(BuildSheet(), footer);
  Show();
}

QWidget* CW3View::BuildSheet() {
  auto* sheet = new CFormSheet(this);
  control_ = ShownIn(NumberStrip(sheet, QStringLiteral("33333"), QStringLiteral("a"), tr("Control number"), 2), "BoxA", 14);
  sheet->Place(TitleCell(tr("For Official Use Only &#9654;<br>OMB No. 1545-0008"), sheet), 0, 2, 1, 2);
  AddKindOfPayer(sheet);
  AddEmployerBoxes(sheet);
  AddTotalBoxes(sheet);
  AddContactBoxes(sheet);
  for (int c = 0; c < 4; ++c) sheet->Grid()->setColumnStretch(c, 1);
  return sheet;
}

// b: Kind of Payer, two rows of check boxes as on the form.
void CW3View::AddKindOfPayer(CFormSheet* sheet) {
  CFormBox* b = sheet->AddBox(QStringLiteral("b"), tr("Kind of Payer"), 1, 0, 2, 2);
  auto* kinds = new QGridLayout;
  kinds->setHorizontalSpacing(12);
  kinds->setVerticalSpacing(4);
  const int order[2][4] = {{0, 2, 4, 6}, {1, 3, 5, -1}};  // 941 Mil. 943 944 / CT-1 Hshld. Med.
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 4; ++c) {
      const int kind = order[r][c];
      if (kind < 0) continue;
      auto* box = ShownCheckBox(QStringLiteral("KindOfPayer%1").arg(kind), QString::fromLatin1(KindOfPayerLabel(kind)), b);
      kinds_[static_cast<size_t>(kind)] = box;
      kinds->addWidget(box, r, c);
    }
  }
  sickPay_ = ShownCheckBox(QStringLiteral("ThirdPartySickPay"), tr("3rd-party sick pay"), b);
  kinds->addWidget(sickPay_, 1, 3);
  b->Content()->addLayout(kinds);
  b->Content()->addStretch(1);
}

// c to h and the state of box 15 below the Kind of Payer.
void CW3View::AddEmployerBoxes(CFormSheet* sheet) {
  count_ = ShownIn(sheet->AddBox(QStringLiteral("c"), tr("Total number of Forms W-2"), 3, 0), "BoxC", 8);
  count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  establishment_ = ShownIn(sheet->AddBox(QStringLiteral("d"), tr("Establishment number"), 3, 1), "BoxD", 8);
  ein_ = ShownIn(sheet->AddBox(QStringLiteral("e"), tr("Employer identification number"), 4, 0, 1, 2), "BoxE", 12);
  name_ = ShownIn(sheet->AddBox(QStringLiteral("f"), tr("Employer's name"), 5, 0, 1, 2), "BoxF", 30);
  CFormBox* g = sheet->AddBox(QStringLiteral("g"), tr("Employer's address and ZIP code"), 6, 0, 1, 2);
  address_ = new CShownBlock(QStringLiteral("BoxG"), 30, 3, g);
  g->Add(address_, 1);
  otherEin_ = ShownIn(sheet->AddBox(QStringLiteral("h"), tr("Other EIN used this year"), 7, 0, 1, 2), "BoxH", 12);
  state_ = ShownIn(sheet->AddBox(QStringLiteral("15"), tr("State"), 8, 0), "Box15State", 3);
  stateId_ = ShownIn(sheet->AddBox({}, tr("Employer's state ID number"), 8, 1), "Box15StateId", 12);
}

// The money boxes beside them, and 16 to 19 under them.
void CW3View::AddTotalBoxes(CFormSheet* sheet) {
  const char* captions[] = {nullptr,
                            "Wages, tips, other compensation",
                            "Federal income tax withheld",
                            "Social security wages",
                            "Social security tax withheld",
                            "Medicare wages and tips",
                            "Medicare tax withheld",
                            "Social security tips",
                            "Allocated tips",
                            "Advance EIC payments",
                            "Dependent care benefits",
                            "Nonqualified plans"};
  for (int n = 1; n <= 11; ++n) {
    const int row = 1 + (n - 1) / 2, col = 2 + (n - 1) % 2;
    CFormBox* box = sheet->AddBox(QString::number(n), tr(captions[n]), row, col);
    boxes_[static_cast<size_t>(n)] = TotalIn(box, QStringLiteral("Box%1").arg(n).toLatin1().constData());
  }
  box12_ = TotalIn(sheet->AddBox(QStringLiteral("12"), tr("Deferred compensation"), 6, 3), "Box12");
  box13_ = TotalIn(sheet->AddBox(QStringLiteral("13"), tr("For third-party sick pay use only"), 7, 2, 1, 2), "Box13");
  box14_ = TotalIn(sheet->AddBox(QStringLiteral("14"), tr("Income tax withheld by payer of third-party sick pay"), 8, 2,
                               1, 2),
                 "Box14");
  box16_ = TotalIn(sheet->AddBox(QStringLiteral("16"), tr("State wages, tips, etc."), 9, 0), "Box16");
  box17_ = TotalIn(sheet->AddBox(QStringLiteral("17"), tr("State income tax"), 9, 1), "Box17");
  box18_ = TotalIn(sheet->AddBox(QStringLiteral("18"), tr("Local wages, tips, etc."), 9, 2), "Box18");
  box19_ = TotalIn(sheet->AddBox(QStringLiteral("19"), tr("Local income tax"), 9, 3), "Box19");
}

// The contact block at the foot of the form.
void CW3View::AddContactBoxes(CFormSheet* sheet) {
  contact_ = ShownIn(sheet->AddBox({}, tr("Contact person"), 10, 0, 1, 2), "ContactPerson", 20);
  telephone_ = ShownIn(sheet->AddBox({}, tr("Telephone number"), 10, 2), "Telephone", 14);
  sheet->Place(TitleCell(tr("For Official Use Only"), sheet), 10, 3, 2, 1);
  email_ = ShownIn(sheet->AddBox({}, tr("E-mail address"), 11, 0, 1, 2), "Email", 20);
  fax_ = ShownIn(sheet->AddBox({}, tr("Fax number"), 11, 2), "Fax", 14);
}

void CW3View::OnDocumentRefresh() {
  shown_ = RefreshW3Page(doc_, ui_);
  Show();
}

void CW3View::OnShown() {
  OnDocumentRefresh();
  OnW3PageShown(doc_, ui_);
}

void CW3View::Show() {
  const W3Page& p = shown_;
  control_->Show(p.controlNumber);
  for (int kind = 0; kind < kKindOfPayerCount; ++kind) kinds_[static_cast<size_t>(kind)]->setChecked(p.kindOfPayer == kind);
  sickPay_->setChecked(p.thirdPartySickPay);
  count_->Show(p.totalForms);
  establishment_->Show(p.establishmentNumber);
  ein_->Show(p.ein);
  name_->Show(p.employerName);
  address_->Show({p.address1, p.address2, CityStateZipLine(p.city, p.state, p.zip)});
  otherEin_->Show(p.otherEin);
  for (int n = 1; n <= 11; ++n) boxes_[static_cast<size_t>(n)]->Show(p.box[static_cast<size_t>(n)]);
  box12_->Show(p.box12);
  box13_->Show(p.box13);
  box14_->Show(p.box14);
  state_->Show(p.box15State);
  stateId_->Show(p.box15StateId);
  box16_->Show(p.box16);
  box17_->Show(p.box17);
  box18_->Show(p.box18);
  box19_->Show(p.box19);
  contact_->Show(p.contactName);
  telephone_->Show(p.telephone);
  email_->Show(p.email);
  fax_->Show(p.fax);
  ShowProblem(p.problem);
}

// Printing from the page: the W-3 print options dialog, then the page.
void CW3View::OnPrint() { PrintW3Form(this, doc_); }

}  // namespace formet
