#include "forms/1099/ui/form1096_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "forms/ui/form_sheet.h"

namespace formet {

C1096View::C1096View(CGlobalDoc& doc, UiServices& ui, QWidget* parent)
    : CTransmittalPage(doc, ui, tr("1096 Form"), tr("&Print"),
                       tr("The data of this form are generated automatically from all the 1099 forms filled in on "
                          "the 1099 Forms page; the filer's details come from the 1096 Information of Company "
                          "Info."),
                       parent) {
  auto* footer = new QLabel(this);
  footer->setObjectName(QStringLiteral("FormTitle"));
  footer->setTextFormat(Qt::RichText);
  footer->setText(tr("Return this entire page to the Internal Revenue Service. Photocopies are not acceptable."));
  Finish(BuildSheet(), footer);
  Show();
}

QWidget* C1096View::BuildSheet() {
  auto* sheet = new CFormSheet(this);
  auto shown = [](CFormBox* box, const char* name, int characters) {
    auto* field = new CShownField(QString::fromLatin1(name), characters, box);
    box->Add(field);
    return field;
  };

  sheet->Place(TitleCell(tr("Form <b style='font-size:x-large'>1096</b><br>Department of the Treasury<br>"
                            "Internal Revenue Service"),
                         sheet),
               0, 0, 1, 2);
  sheet->Place(TitleCell(tr("<b style='font-size:large'>Annual Summary and Transmittal of<br>"
                            "U.S. Information Returns</b>"),
                         sheet),
               0, 2, 1, 2);
  sheet->Place(TitleCell(tr("OMB No. 1545-0108<br><b style='font-size:x-large'>2007</b>"), sheet), 0, 4);

  filer_ = shown(sheet->AddBox({}, tr("FILER'S name"), 1, 0, 1, 4), "FilerName", 40);
  street_ = shown(sheet->AddBox({}, tr("Street address (including room or suite number)"), 2, 0, 1, 4), "Street", 30);
  CFormBox* city = sheet->AddBox({}, tr("City, state, and ZIP code"), 3, 0, 1, 4);
  auto* cityRow = new QHBoxLayout;
  cityRow->setSpacing(4);
  city_ = new CShownField(QStringLiteral("City"), 20, city);
  state_ = new CShownField(QStringLiteral("State"), 3, city);
  state_->setFixedWidth(FieldWidth(state_, 4));
  zip_ = new CShownField(QStringLiteral("Zip"), 10, city);
  cityRow->addWidget(city_, 3);
  cityRow->addWidget(state_, 0);
  cityRow->addWidget(zip_, 1);
  city->Content()->addLayout(cityRow);
  sheet->Place(TitleCell(tr("For Official Use Only"), sheet), 1, 4, 5, 1);
  contact_ = shown(sheet->AddBox({}, tr("Name of person to contact"), 4, 0, 1, 2), "ContactName", 20);
  telephone_ = shown(sheet->AddBox({}, tr("Telephone number"), 4, 2, 1, 2), "Telephone", 14);
  email_ = shown(sheet->AddBox({}, tr("E-mail address"), 5, 0, 1, 2), "Email", 20);
  fax_ = shown(sheet->AddBox({}, tr("Fax number"), 5, 2, 1, 2), "Fax", 14);

  box1_ = shown(sheet->AddBox(QStringLiteral("1"), tr("Employer identification number"), 6, 0), "Box1", 10);
  box2_ = shown(sheet->AddBox(QStringLiteral("2"), tr("Social security number"), 6, 1), "Box2", 11);
  CFormBox* b3 = sheet->AddBox(QStringLiteral("3"), tr("Total number of\nforms"), 6, 2);
  box3_ = TotalField(QStringLiteral("Box3"), b3);
  box3_->setMinimumWidth(FieldWidth(box3_, 7));
  b3->Add(box3_);
  CFormBox* b4 = sheet->AddBox(QStringLiteral("4"), tr("Federal income tax\nwithheld"), 6, 3);
  box4_ = TotalField(QStringLiteral("Box4"), b4);
  b4->Add(box4_);
  CFormBox* b5 = sheet->AddBox(QStringLiteral("5"), tr("Total amount reported with\nthis Form 1096"), 6, 4);
  box5_ = TotalField(QStringLiteral("Box5"), b5);
  b5->Add(box5_);
  for (CFormBox* box : {b3, b4, b5}) {
    // Captions of two lines: the fields line up at the bottom.
    box->Content()->insertStretch(0, 1);
  }

  sheet->Place(TitleCell(tr("Enter an \"X\" in only one box below to indicate the type of form being filed."), sheet),
               7, 0, 1, 3);
  CFormBox* final = sheet->AddBox({}, {}, 7, 3, 1, 2);
  finalReturn_ = ShownCheckBox(QStringLiteral("FinalReturn"),
                               tr("If this is your final return, enter an \"X\" here \u25B6"), final);
  finalReturn_->setLayoutDirection(Qt::RightToLeft);  // the box after its words, as on the form
  final->Add(finalReturn_);

  // The row of form types exists on the form but the program files
  // 1099-MISC only: it is hidden and disabled.
  auto* types = new QWidget(sheet);
  types->setObjectName(QStringLiteral("TypeOfForm"));
  auto* typesRow = new QHBoxLayout(types);
  for (const char* type : {"W-2G", "1098", "1098-C", "1098-E", "1098-T", "1099-A", "1099-B", "1099-C", "1099-CAP",
                           "1099-DIV", "1099-G", "1099-H", "1099-INT", "1099-LTC", "1099-MISC", "1099-OID",
                           "1099-PATR", "1099-Q", "1099-R", "1099-S", "1099-SA", "5498", "5498-ESA", "5498-SA"})
    typesRow->addWidget(new QCheckBox(QString::fromLatin1(type), types));
  types->setEnabled(false);
  types->hide();
  sheet->Place(types, 8, 0, 1, 5);
  for (int c = 0; c < 5; ++c) sheet->Grid()->setColumnStretch(c, 1);
  return sheet;
}

void C1096View::OnDocumentRefresh() {
  shown_ = Refresh1096Page(doc_, ui_);
  Show();
}

void C1096View::OnShown() {
  On1096PageShown(doc_, ui_);
  OnDocumentRefresh();
}

void C1096View::Show() {
  const Form1096Page& p = shown_;
  filer_->Show(p.filerName);
  street_->Show(p.street);
  city_->Show(p.city);
  state_->Show(p.state);
  zip_->Show(p.zip);
  contact_->Show(p.contactName);
  email_->Show(p.email);
  telephone_->Show(p.telephone);
  fax_->Show(p.fax);
  box1_->Show(p.box1);
  box2_->Show(p.box2);
  box3_->Show(p.box3);
  box4_->Show(p.box4);
  box5_->Show(p.box5);
  finalReturn_->setChecked(p.finalReturn);
  ShowProblem(p.problem);
}

}  // namespace formet
