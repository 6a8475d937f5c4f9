#include "forms/1099/ui/form1099_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

#include "forms/print/ui/print_flow.h"
#include "forms/ui/form_sheet.h"
#include "forms/record_as_filed.h"
#include "kit/ui/color_button.h"
#include "kit/ui/qt_text.h"

namespace formet {
namespace {

using R = Form1099Record;
constexpr int kAmountWidth = 12;

}  // namespace

C1099View::C1099View(CGlobalDoc& doc, UiServices& ui, QWidget* parent)
    : CFormPage(doc, ui, {tr("1099 Forms"), tr("Contractor"), tr("1099-MISC")}, parent), rules_(doc, ui) {
  BindFields(Form1099Fields());
  formType_ = new CColorButton(tr("Select"), this);
  formType_->setObjectName(QStringLiteral("FormType"));
  AddGroup(tr("1099 Form Type"), {formType_});
  connect(formType_, &QPushButton::clicked, this, [this] { rules_.SelectFormType(); });

  auto* footer = new QLabel(this);
  footer->setObjectName(QStringLiteral("FormTitle"));
  footer->setTextFormat(Qt::RichText);
  footer->setText(tr("Form <b style='font-size:large'>1099-MISC</b>&nbsp;&nbsp;&nbsp; "
                     "Department of the Treasury - Internal Revenue Service"));
  recordFiled_ = new CColorButton(tr("Recor&d as filed"), this);
  recordFiled_->setObjectName(QStringLiteral("RecordAsFiled"));
  recordFiled_->setToolTip(tr("Keep a copy of every form as it is filed; a later change then shows as needing a "
                              "correction"));
  // One button for both prints of the corrections, so that the page keeps
  // its width.
  corrected_ = new CColorButton(tr("Corrected &Forms"), this);
  corrected_->setObjectName(QStringLiteral("Corrected"));
  corrected_->setToolTip(tr("Print the corrected 1099-MISC's of the forms filed and changed since, or their 1096"));
  auto* menu = new QMenu(corrected_);
  printCorrected_ = menu->addAction(tr("Print Corrected &1099-MISC's..."));
  printCorrected1096_ = menu->addAction(tr("Print Their 10&96..."));
  corrected_->setMenu(menu);
  AddGroup(tr("Filing"), {recordFiled_, corrected_});
  connect(recordFiled_, &QPushButton::clicked, this, [this] { RecordAsFiledNow(); });
  connect(printCorrected_, &QAction::triggered, this, [this] { PrintCorrected(); });
  connect(printCorrected1096_, &QAction::triggered, this, [this] {
    CommitFocusedField();
    PrintCorrected1096Form(this, doc_);
  });
  ReadFiled();
  Finish(BuildSheet(), footer);
}

QWidget* C1099View::BuildSheet() {
  auto* sheet = new CFormSheet(this);
  const auto& fields = Form1099Fields();
  auto field = [this](TextMember<R> member) { return Field(Form1099FieldIndex(member)); };
  // A money box: its number and caption from the field table, its amount field.
  auto money = [&](TextMember<R> member, int row, int column) {
    const QString label = QString::fromLatin1(fields[Form1099FieldIndex(member)].label);
    CFormBox* box = sheet->AddBox(label.section(' ', 0, 0), label.section(' ', 1), row, column);
    box->Caption()->setWordWrap(true);
    QWidget* f = field(member);
    StretchField(f, kAmountWidth);
    box->Content()->addStretch(1);
    box->Add(f);
    return box;
  };

  // The payer's block, the form's number and its title.
  CFormBox* payer = sheet->AddBox({}, tr("PAYER'S name, street address, city, state, ZIP code, and telephone no."), 0,
                                  0, 3, 2);
  payer_ = new CShownBlock(QStringLiteral("Payer"), 30, 5, payer);
  payer->Add(payer_, 1);
  money(R::Text::Rents, 0, 2);
  sheet->Place(TitleCell(tr("OMB No. 1545-0115<br><b style='font-size:x-large'>2007</b><br>"
                            "Form <b>1099-MISC</b>"),
                         sheet),
               0, 3, 2, 1);
  sheet->Place(TitleCell(tr("<b style='font-size:large'>Miscellaneous<br>Income</b>"), sheet), 0, 4, 3, 1);
  money(R::Text::Royalities, 1, 2);
  money(R::Text::OtherIncome, 2, 2);
  money(R::Text::FederalIncomeTaxWithheld, 2, 3);

  // The recipient's block beside boxes 5-14.
  CFormBox* payerId = sheet->AddBox({}, tr("PAYER'S Federal ID number"), 3, 0);
  payerId_ = new CShownField(QStringLiteral("PayerId"), 11, payerId);
  payerId->Add(payerId_);
  CFormBox* recipientId = sheet->AddBox({}, tr("RECIPIENT'S ID number"), 3, 1);
  recipientId_ = new CShownField(QStringLiteral("RecipientId"), 11, recipientId);
  recipientId->Add(recipientId_);
  money(R::Text::FishingBoatProceeds, 3, 2);
  money(R::Text::MedicalAndHealthCarePayments, 3, 3);
  sheet->Place(TitleCell(tr("<b>Copy A</b><br>For<br>Internal Revenue<br>Service Center<br><br>"
                            "File with Form 1096."),
                         sheet),
               3, 4, 5, 1);

  CFormBox* name = sheet->AddBox({}, tr("RECIPIENT'S name"), 4, 0, 1, 2);
  recipientName_ = new CShownBlock(QStringLiteral("RecipientName"), 30, 2, name);
  name->Add(recipientName_, 1);
  money(R::Text::NonemployeeCompensation, 4, 2);
  money(R::Text::SubstitutePayments, 4, 3);

  CFormBox* street = sheet->AddBox({}, tr("Street address (including apt. no.)"), 5, 0, 1, 2);
  street_ = new CShownField(QStringLiteral("RecipientStreet"), 30, street);
  street2_ = new CShownField(QStringLiteral("RecipientStreet2"), 30, street);
  street->Add(street_);
  street->Add(street2_);
  CFormBox* b9 = sheet->AddBox(QStringLiteral("9"), tr("Payer made direct sales of\n$5,000 or more of consumer\n"
                                                       "products to a buyer\n(recipient) for resale"),
                               5, 2);
  auto* check = static_cast<QCheckBox*>(Field(Form1099FieldIndex(&R::PayerMadeDirectSales)));
  check->setText({});
  check->setAccessibleName(QString::fromLatin1(fields[Form1099FieldIndex(&R::PayerMadeDirectSales)].label));
  auto* checkRow = new QHBoxLayout;
  checkRow->addStretch(1);
  checkRow->addWidget(new QLabel(QString(QChar(0x25B6)), b9));
  checkRow->addWidget(check);
  b9->Content()->addLayout(checkRow);
  money(R::Text::CropInsuranceProceeds, 5, 3);

  CFormBox* city = sheet->AddBox({}, tr("City, state, and ZIP code"), 6, 0, 1, 2);
  city_ = new CShownField(QStringLiteral("RecipientCity"), 30, city);
  city->Add(city_);
  sheet->AddBox(QStringLiteral("11"), {}, 6, 2);
  sheet->AddBox(QStringLiteral("12"), {}, 6, 3);

  CFormBox* account = sheet->AddBox({}, tr("Account number (optional)"), 7, 0);
  account_ = new CShownField(QStringLiteral("AccountNumber"), 12, account);
  account->Add(account_);
  CFormBox* tin = sheet->AddBox({}, tr("2nd TIN not."), 7, 1);
  secondTin_ = ShownCheckBox(QStringLiteral("SecondTin"), {}, tin);
  tin->Add(secondTin_);
  money(R::Text::ExcessGoldenParachutePayments, 7, 2);
  money(R::Text::GrossProceedsPaidToAttorney, 7, 3);

  // The bottom row: 15a, 15b and the two state lines of 16-18.
  money(R::Text::Field15A, 8, 0);
  money(R::Text::Field15B, 8, 1);
  const std::array<std::tuple<const char*, QString, TextMember<R>, TextMember<R>>, 3> state = {{
      {"16", tr("State tax withheld"), R::Text::StateTaxWithheld1, R::Text::StateTaxWithheld2},
      {"17", tr("State/Payer's state no."), R::Text::PayerStateID1, R::Text::PayerStateID2},
      {"18", tr("State income"), R::Text::StateIncome1, R::Text::StateIncome2},
  }};
  for (int i = 0; i < 3; ++i) {
    const auto& [number, caption, line1, line2] = state[static_cast<size_t>(i)];
    CFormBox* box = sheet->AddBox(QString::fromLatin1(number), caption, 8, 2 + i);
    for (auto member : {line1, line2}) {
      QWidget* f = field(member);
      StretchField(f, i == 1 ? 11 : kAmountWidth - 1);
      box->Add(f);
    }
  }
  sheet->Grid()->setColumnStretch(0, 2);
  sheet->Grid()->setColumnStretch(1, 2);
  sheet->Grid()->setColumnStretch(2, 2);
  sheet->Grid()->setColumnStretch(3, 2);
  sheet->Grid()->setColumnStretch(4, 1);
  return sheet;
}

void C1099View::ShowParties() {
  const Form1099Parties& p = rules_.Parties();
  payer_->Show({p.payerName, p.payerAddress1, p.payerAddress2, CityStateZipLine(p.payerCity, p.payerState, p.payerZip),
                p.payerTelephone});
  payerId_->Show(p.payerFederalId);
  recipientId_->Show(p.recipientId);
  recipientName_->Show({p.recipientName1, p.recipientName2});
  street_->Show(p.recipientAddress1);
  street2_->Show(p.recipientAddress2);
  city_->Show(CityStateZipLine(p.recipientCity, p.recipientState, p.recipientZip));
  account_->Show(p.accountNumber);
  secondTin_->setChecked(p.secondTin);
}

QString C1099View::PayeeName() const {
  const Form1099Parties& p = rules_.Parties();
  if (rules_.CurrentPayee() < 0) return tr("No contractor");
  std::string name = p.recipientName1;
  if (!p.recipientName2.empty()) name += " " + p.recipientName2;
  return tr("Contractor: %1").arg(ToQt(name));
}

void C1099View::ReadFiled() {
  filed_.clear();
  if (doc_.IsLoaded()) ReadRecorded1099s(doc_, filed_);
}

void C1099View::OnDocumentRefresh() {
  ReadFiled();
  CFormPage::OnDocumentRefresh();
}

std::string C1099View::FiledNotice() const {
  const int position = rules_.CurrentPayee();
  auto& payees = doc_.GetContractors();
  if (position < 0 || static_cast<size_t>(position) >= payees.size()) return {};
  return Form1099FiledNotice(doc_, filed_, payees[static_cast<size_t>(position)].ContractorUniqueID);
}

void C1099View::RecordAsFiledNow() {
  CommitFocusedField();
  OfferRecordAsFiled(doc_, ui_, FiledFamily::Form1099);
  ReadFiled();
  Sync();
}

}  // namespace formet
