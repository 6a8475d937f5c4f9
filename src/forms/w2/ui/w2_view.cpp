#include "forms/w2/ui/w2_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

#include "forms/print/ui/print_flow.h"
#include "forms/ui/form_sheet.h"
#include "forms/record_as_filed.h"
#include "kit/ui/color_button.h"
#include "kit/ui/qt_text.h"

namespace formet {
namespace {

using R = W2Record;

// Characters an amount field shows without scrolling.
constexpr int kAmountWidth = 12;

QLabel* SmallCaption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QStringLiteral("BoxCaption"));
  return label;
}

// A numbered box's number and caption, from its field's label ("3 Social
// security wages").
std::pair<QString, QString> NumberedCaption(TextMember<R> member) {
  const QString label = QString::fromLatin1(W2Fields()[W2FieldIndex(member)].label);
  return {label.section(' ', 0, 0), label.section(' ', 1)};
}

}  // namespace

CW2View::CW2View(CGlobalDoc& doc, UiServices& ui, QWidget* parent)
    : CFormPage(doc, ui, {tr("W2 Forms"), tr("Employee"), tr("Form W-2")}, parent), rules_(doc, ui) {
  BindFields(W2Fields());
  help_ = new QToolButton(this);
  help_->setObjectName(QStringLiteral("QuickHelp"));
  help_->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
  help_->setIconSize(QSize(28, 28));
  help_->setAutoRaise(true);
  help_->setToolTip(tr("Quick help"));
  HeaderRow()->insertWidget(HeaderRow()->count() - 1, help_, 0, Qt::AlignBottom);
  connect(help_, &QToolButton::clicked, this, [this] { rules_.QuickHelp(); });

  auto* footer = new QLabel(this);
  footer->setObjectName(QStringLiteral("FormTitle"));
  footer->setTextFormat(Qt::RichText);
  footer->setText(tr("Form <b style='font-size:large'>W-2</b>&nbsp; <b>Wage and Tax Statement</b>"
                     "&nbsp;&nbsp;&nbsp; <b style='font-size:large'>2007</b>"
                     "&nbsp;&nbsp;&nbsp; Department of the Treasury&mdash;Internal Revenue Service"));
  recordFiled_ = new CColorButton(tr("Recor&d as filed"), this);
  recordFiled_->setObjectName(QStringLiteral("RecordAsFiled"));
  recordFiled_->setToolTip(tr("Keep a copy of every form as it is filed; a later change then shows as needing a "
                              "correction"));
  AddGroup(tr("Filing"), {recordFiled_});
  connect(recordFiled_, &QPushButton::clicked, this, [this] { RecordAsFiledNow(); });
  ReadFiled();
  Finish(BuildSheet(), footer);
}

QWidget* CW2View::BoxField(TextMember<R> member) { return Field(W2FieldIndex(member)); }

QWidget* CW2View::AmountField(TextMember<R> member) {
  QWidget* f = BoxField(member);
  StretchField(f, kAmountWidth);
  return f;
}

QWidget* CW2View::BuildSheet() {
  auto* sheet = new CFormSheet(this);
  AddPartyBoxes(sheet);
  AddAmountBoxes(sheet);
  AddBox12(sheet);
  AddBoxes13And14(sheet);
  AddStateBand(sheet);
  sheet->Grid()->setColumnStretch(0, 5);
  sheet->Grid()->setColumnStretch(1, 3);
  sheet->Grid()->setColumnStretch(2, 3);
  return sheet;
}

// The top strip (the form's number and box a) and the left column: employer,
// control number, employee.
void CW2View::AddPartyBoxes(CFormSheet* sheet) {
  // The top strip: the form's number and box a.
  CFormBox* a = NumberStrip(sheet, QStringLiteral("22222"), QStringLiteral("a"), tr("Employee's social security number"), 1);
  ssn_ = new CShownField(QStringLiteral("BoxA"), 11, a);
  a->Add(ssn_);
  sheet->Place(TitleCell(tr("For Official Use Only &#9654;<br>OMB No. 1545-0008"), sheet), 0, 1, 1, 2);

  // The left column: employer, control number, employee.
  CFormBox* b = sheet->AddBox(QStringLiteral("b"), tr("Employer identification number"), 1, 0);
  ein_ = new CShownField(QStringLiteral("BoxB"), 10, b);
  b->Add(ein_);
  CFormBox* c = sheet->AddBox(QStringLiteral("c"), tr("Employer's name, address, and ZIP code"), 2, 0, 3);
  employer_ = new CShownBlock(QStringLiteral("BoxC"), 30, 4, c);
  c->Add(employer_, 1);
  CFormBox* d = sheet->AddBox(QStringLiteral("d"), tr("Control number"), 5, 0);
  control_ = new CShownField(QStringLiteral("BoxD"), 20, d);
  d->Add(control_);

  auto* e = new QWidget(sheet);
  auto* eRow = new QHBoxLayout(e);
  eRow->setContentsMargins(0, 0, 0, 0);
  eRow->setSpacing(0);
  CFormBox* eFirst = new CFormBox(QStringLiteral("e"), tr("Employee's first name and initial"), e);
  first_ = new CShownField(QStringLiteral("BoxEFirst"), 14, eFirst);
  eFirst->Add(first_);
  CFormBox* eLast = new CFormBox({}, tr("Last name"), e);
  last_ = new CShownField(QStringLiteral("BoxELast"), 12, eLast);
  eLast->Add(last_);
  CFormBox* eSuffix = new CFormBox({}, tr("Suff."), e);
  suffix_ = new CShownField(QStringLiteral("BoxESuffix"), 3, eSuffix);
  eSuffix->Add(suffix_);
  eRow->addWidget(eFirst, 3);
  eRow->addWidget(eLast, 3);
  eRow->addWidget(eSuffix, 0);
  sheet->Place(e, 6, 0);

  CFormBox* f = sheet->AddBox(QStringLiteral("f"), tr("Employee's address and ZIP code"), 7, 0, 3);
  address_ = new CShownBlock(QStringLiteral("BoxF"), 30, 3, f);
  f->Add(address_, 1);
}

// The right block: boxes 1-11 in pairs.
void CW2View::AddAmountBoxes(CFormSheet* sheet) {
  const std::pair<TextMember<R>, TextMember<R>> pairs[] = {
      {R::Text::Wages, R::Text::FederalIncomeTaxWithdrawal},       {R::Text::SocialSecurityWages, R::Text::SocialSecurityTaxWithheld},
      {R::Text::MedicareWages, R::Text::MedicareTaxWithheld},      {R::Text::SocialSecurityTips, R::Text::AllocatedTips},
      {R::Text::AdvancEICPayment, R::Text::DependentCareBenefits},
  };
  int row = 1;
  for (const auto& [left, right] : pairs) {
    for (int col = 0; col < 2; ++col) {
      auto member = col == 0 ? left : right;
      const auto [number, text] = NumberedCaption(member);
      sheet->AddBox(number, text, row, 1 + col)->Add(AmountField(member));
    }
    ++row;
  }
  {
    const auto [number, text] = NumberedCaption(R::Text::NonQualifiedPlans);
    sheet->AddBox(number, text, 6, 1)->Add(AmountField(R::Text::NonQualifiedPlans));
  }
}

// Boxes 12a-12d beside 11: each a code, a year and an amount.
void CW2View::AddBox12(CFormSheet* sheet) {
  const std::array<std::array<TextMember<R>, 3>, 4> box12 = {{
      {R::Text::Field12aCode, R::Text::Field12aYear, R::Text::Field12aAmount},
      {R::Text::Field12bCode, R::Text::Field12bYear, R::Text::Field12bAmount},
      {R::Text::Field12cCode, R::Text::Field12cYear, R::Text::Field12cAmount},
      {R::Text::Field12dCode, R::Text::Field12dYear, R::Text::Field12dAmount},
  }};
  const char* letters[] = {"12a", "12b", "12c", "12d"};
  for (int i = 0; i < 4; ++i) {
    CFormBox* box = sheet->AddBox(QString::fromLatin1(letters[i]), i == 0 ? tr("See instructions for box 12") : QString(),
                                  6 + i, 2);
    auto* parts = new QGridLayout;
    parts->setHorizontalSpacing(3);
    parts->setVerticalSpacing(0);
    QWidget* code = BoxField(box12[i][0]);
    QWidget* year = BoxField(box12[i][1]);
    QWidget* value = BoxField(box12[i][2]);
    code->setFixedWidth(FieldWidth(code, 3));
    year->setFixedWidth(FieldWidth(year, 3));
    StretchField(value, kAmountWidth - 2);
    parts->addWidget(SmallCaption(tr("Code"), box), 0, 0);
    parts->addWidget(SmallCaption(tr("Year"), box), 0, 1);
    parts->addWidget(code, 1, 0);
    parts->addWidget(year, 1, 1);
    parts->addWidget(value, 1, 2);
    box->Content()->addLayout(parts);
  }
}

// Box 13's three check boxes and box 14's three lines.
void CW2View::AddBoxes13And14(CFormSheet* sheet) {
  const auto& fields = W2Fields();
  CFormBox* b13 = sheet->AddBox(QStringLiteral("13"), {}, 7, 1);
  auto* checks = new QGridLayout;
  checks->setHorizontalSpacing(10);
  checks->setVerticalSpacing(1);
  int col = 0;
  for (auto member : {&R::StatutoryEmployee, &R::RetirementPlan, &R::ThirdPartySickpay}) {
    const size_t i = W2FieldIndex(member);
    auto* check = static_cast<QCheckBox*>(Field(i));
    auto* label = SmallCaption(QString::fromLatin1(fields[i].label), b13);
    label->setBuddy(check);
    check->setText({});
    check->setAccessibleName(QString::fromLatin1(fields[i].label).replace('\n', ' '));
    checks->addWidget(label, 0, col, Qt::AlignLeft | Qt::AlignBottom);
    checks->addWidget(check, 1, col, Qt::AlignLeft);
    ++col;
  }
  b13->Content()->addLayout(checks);

  CFormBox* b14 = sheet->AddBox(QStringLiteral("14"), tr("Other"), 8, 1, 2);
  for (auto member : {R::Text::Other1, R::Text::Other2, R::Text::Other3}) {
    QWidget* line = BoxField(member);
    StretchField(line, 14);
    b14->Add(line);
  }
  b14->Content()->addStretch(1);
}

// The state and local lines across the bottom, two lines each.
void CW2View::AddStateBand(CFormSheet* sheet) {
  auto* band = new QWidget(sheet);
  auto* bandGrid = new QGridLayout(band);
  bandGrid->setContentsMargins(0, 0, 0, 0);
  bandGrid->setSpacing(0);
  CFormBox* b15 = new CFormBox(QStringLiteral("15"), tr("State   Employer's state ID number"), band);
  auto* stateLines = new QGridLayout;
  stateLines->setHorizontalSpacing(3);
  stateLines->setVerticalSpacing(3);
  int line = 0;
  for (auto [state, id] : {std::pair{R::Text::State1, R::Text::StateID1}, std::pair{R::Text::State2, R::Text::StateID2}}) {
    QWidget* s = BoxField(state);
    s->setFixedWidth(FieldWidth(s, 3));
    QWidget* i = BoxField(id);
    StretchField(i, 12);
    stateLines->addWidget(s, line, 0);
    stateLines->addWidget(i, line, 1);
    ++line;
  }
  b15->Content()->addLayout(stateLines);
  bandGrid->addWidget(b15, 0, 0);
  const std::array<std::pair<TextMember<R>, TextMember<R>>, 5> lines = {{
      {R::Text::StateWages1, R::Text::StateWages2},
      {R::Text::StateIncomTax1, R::Text::StateIncomTax2},
      {R::Text::LocalWages1, R::Text::LocalWages2},
      {R::Text::LocalIncomeTax1, R::Text::LocalIncomeTax2},
      {R::Text::LocalityName1, R::Text::LocalityName2},
  }};
  const QString captions[] = {tr("State wages, tips, etc."), tr("State income tax"), tr("Local wages, tips, etc."),
                              tr("Local income tax"), tr("Locality name")};
  for (int i = 0; i < 5; ++i) {
    CFormBox* box = new CFormBox(QString::number(16 + i), captions[i], band);
    for (auto member : {lines[i].first, lines[i].second}) {
      QWidget* w = BoxField(member);
      if (i == 4) StretchField(w, 7);
      else StretchField(w, kAmountWidth - 1);
      box->Add(w);
    }
    bandGrid->addWidget(box, 0, 1 + i);
    bandGrid->setColumnStretch(1 + i, i == 4 ? 0 : 1);
  }
  sheet->Place(band, 10, 0, 1, 3);
}

QWidget* CW2View::NoteAnchorWidget(NoteAnchor anchor) const {
  if (anchor == NoteAnchor::HelpIcon) return help_;
  return CFormPage::NoteAnchorWidget(anchor);
}

void CW2View::ShowParties() {
  const W2Parties& p = rules_.Parties();
  ssn_->Show(p.employeeSsn);
  ein_->Show(p.ein);
  employer_->Show({p.employerName, p.employerAddress1, p.employerAddress2, p.employerCityLine});
  control_->Show(p.controlNumber);
  first_->Show(p.firstNameAndInitial);
  last_->Show(p.lastName);
  suffix_->Show(p.suffix);
  address_->Show({p.address1, p.address2, p.cityLine});
}

QString CW2View::PayeeName() const {
  const W2Parties& p = rules_.Parties();
  if (rules_.CurrentPayee() < 0) return tr("No employee");
  std::string name = p.firstNameAndInitial + " " + p.lastName;
  if (!p.suffix.empty()) name += " " + p.suffix;
  return tr("Employee: %1").arg(ToQt(name));
}

void CW2View::ReadFiled() {
  filed_.clear();
  if (doc_.IsLoaded()) ReadRecordedW2s(doc_, filed_);
}

void CW2View::OnDocumentRefresh() {
  ReadFiled();
  CFormPage::OnDocumentRefresh();
}

std::string CW2View::FiledNotice() const {
  const int position = rules_.CurrentPayee();
  auto& payees = doc_.GetEmployees();
  if (position < 0 || static_cast<size_t>(position) >= payees.size()) return {};
  return W2FiledNotice(doc_, filed_, payees[static_cast<size_t>(position)].EmployeeUniqueID);
}

void CW2View::RecordAsFiledNow() {
  CommitFocusedField();
  OfferRecordAsFiled(doc_, ui_, FiledFamily::W2);
  ReadFiled();
  Sync();
}

// Printing from the page: the W-2 print options dialog, then the chosen
// copies of the chosen W-2s.
void CW2View::OnPrint() {
  CommitFocusedField();
  // After Copy A was printed, the forms as they are were filed.
  if (PrintW2Forms(this, doc_, ui_, rules_.DisplayOrder(), rules_.CurrentPayee()) &&
      IsFiledCopyPrint(FiledFamily::W2, doc_.GetPrintSettings(PrintForm::W2))) {
    OfferRecordAsFiled(doc_, ui_, FiledFamily::W2);
    ReadFiled();
    Sync();
  }
}

}  // namespace formet
