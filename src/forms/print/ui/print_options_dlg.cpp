#include "forms/print/ui/print_options_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "forms/alignment_page.h"
#include "forms/print/ui/payee_files_box.h"
#include "forms/print/ui/print_flow.h"
#include "kit/ui/masked_edit.h"
#include "kit/ui/qt_text.h"

namespace formet {
namespace {

const QString kCaption = QStringLiteral("Formet (2007)");

// The offset and space fields: two whole digits, two decimals, no sign.
CMaskedEdit* InchesField(QWidget* parent) {
  auto* field = new CMaskedEdit(parent);
  field->SetNumberRule(2, 2);
  field->SetSignAllowed(false);
  field->setMaximumWidth(70);
  field->setAlignment(Qt::AlignRight);
  return field;
}

QRadioButton* Radio(const QString& text, QButtonGroup* group, QWidget* parent) {
  auto* button = new QRadioButton(text, parent);
  group->addButton(button);
  return button;
}

QString Title(PrintForm form) {
  switch (form) {
    case PrintForm::W2: return QObject::tr("Set W2 Print Options");
    case PrintForm::W3: return QString();  // the W-3's dialog shows no title
    case PrintForm::Form1099: return QObject::tr("Set 1099 Print Options");
    case PrintForm::Form1096: return QObject::tr("Set 1096 Print Options");
  }
  return {};
}

}  // namespace

CPrintOptionsDlg::CPrintOptionsDlg(PrintForm form, FormPrintSettings& settings, PreviewJobFactory preview,
                                   QWidget* parent)
    : QDialog(parent), form_(form), settings_(settings), preview_(std::move(preview)) {
  setWindowTitle(Title(form));
  Build();
  SetEntry(ShowPrintOptions(form_, settings_));
}

void CPrintOptionsDlg::Build() {
  auto* layout = new QVBoxLayout(this);
  const bool w2 = form_ == PrintForm::W2, misc = form_ == PrintForm::Form1099;
  const bool hasTarget = w2 || misc;

  if (hasTarget) layout->addWidget(BuildTargetGroup());
  QWidget* offsets = BuildOffsets();
  QGroupBox* type = BuildTypeGroup();
  if (hasTarget) {
    layout->addWidget(type);
    layout->addWidget(offsets);
  } else {
    layout->addWidget(offsets);
    layout->addWidget(type);
  }
  if (w2) BuildSpaceRow(layout);

  // Instead of printing, a file for each payee with the copies the payee gets.
  if (hasTarget) {
    payeeFiles_ = new CPayeeFilesBox(form_, this);
    connect(payeeFiles_, &QGroupBox::toggled, this, [this] { UpdateEnabling(); });
    layout->addWidget(payeeFiles_);
  }
  BuildButtonRow(layout);
}

// The payees printed: the current one or all of them.
QGroupBox* CPrintOptionsDlg::BuildTargetGroup() {
  const bool w2 = form_ == PrintForm::W2;
  auto* group = new QGroupBox(w2 ? tr("Print W2 Data For : ") : tr("Print 1099 Data For : "), this);
  targetGroup_ = group;
  auto* buttons = new QButtonGroup(group);
  auto* row = new QHBoxLayout(group);
  target_[0] = Radio(w2 ? tr("Current Employee") : tr("Current Contractor"), buttons, group);
  target_[1] = Radio(w2 ? tr("All Employees") : tr("All Contractors"), buttons, group);
  row->addWidget(target_[0]);
  row->addWidget(target_[1]);
  row->addStretch(1);
  return group;
}

// The offsets: one "Offset" group (W-2, 1099-MISC) or a group per offset.
QWidget* CPrintOptionsDlg::BuildOffsets() {
  const bool hasTarget = form_ == PrintForm::W2 || form_ == PrintForm::Form1099;
  auto* directions = new QButtonGroup(this);
  auto* upDown = new QButtonGroup(this);
  horizontal_ = InchesField(this);
  vertical_ = InchesField(this);
  left_ = Radio(tr("Left"), directions, this);
  right_ = Radio(tr("Right"), directions, this);
  up_ = Radio(tr("Up"), upDown, this);
  down_ = Radio(tr("Down"), upDown, this);
  auto offsetRow = [](QGridLayout* grid, int row, QLabel* label, QWidget* field, QWidget* a, QWidget* b) {
    if (label) grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    grid->addWidget(a, row, 2);
    grid->addWidget(b, row, 3);
    grid->setColumnStretch(4, 1);
  };
  QWidget* offsets = nullptr;
  if (hasTarget) {
    offsetGroup_ = new QGroupBox(tr("Offset"), this);
    auto* grid = new QGridLayout(offsetGroup_);
    offsetRow(grid, 0, new QLabel(tr("Horizontal (inch)"), offsetGroup_), horizontal_, left_, right_);
    offsetRow(grid, 1, new QLabel(tr("Vertical (inch)"), offsetGroup_), vertical_, up_, down_);
    offsets = offsetGroup_;
  } else {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    horizontalGroup_ = new QGroupBox(tr("Horizontal Offset (inch)"), box);
    offsetRow(new QGridLayout(horizontalGroup_), 0, nullptr, horizontal_, left_, right_);
    verticalGroup_ = new QGroupBox(tr("Vertical Offset (inch)"), box);
    offsetRow(new QGridLayout(verticalGroup_), 0, nullptr, vertical_, up_, down_);
    column->addWidget(horizontalGroup_);
    column->addWidget(verticalGroup_);
    offsets = box;
  }
  return offsets;
}

// The type of paper, with the copy list where the form has one.
QGroupBox* CPrintOptionsDlg::BuildTypeGroup() {
  const bool w2 = form_ == PrintForm::W2, misc = form_ == PrintForm::Form1099;
  auto* type = new QGroupBox(tr("Type"), this);
  typeGroup_ = type;
  auto* papers = new QButtonGroup(type);
  auto* typeLayout = new QGridLayout(type);
  int row = 0;
  auto addPaper = [&](int value, const QString& text) {
    paper_[value] = Radio(text, papers, type);
    typeLayout->addWidget(paper_[value], row++, 0, 1, 2);
  };
  if (w2 || misc) {
    const int copyValue = w2 ? static_cast<int>(W2PaperChoice::Copy) : 0;
    paper_[copyValue] = Radio(tr("Print a copy:"), papers, type);
    copies_ = new QComboBox(type);
    const int count = w2 ? kW2CopyCount : kForm1099CopyCount;
    for (int i = 0; i < count; ++i) copies_->addItem(ToQt(w2 ? W2CopyName(i) : Form1099CopyName(i)));
    typeLayout->addWidget(paper_[copyValue], row, 0);
    typeLayout->addWidget(copies_, row++, 1);
    if (w2) {
      addPaper(static_cast<int>(W2PaperChoice::CopyASubstitute),
               tr("Print a complete Laser substitute for Copy A (SSA-approved)"));
      addPaper(static_cast<int>(W2PaperChoice::RedInk), tr("Print data only on a preprinted Red-ink Laser form"));
    } else {
      addPaper(1, tr("Print data only on a preprinted Red-ink Laser form"));
    }
  } else if (form_ == PrintForm::W3) {
    addPaper(0, tr("Print a copy of form W3"));
    addPaper(2, tr("Print a complete Laser substitute for Form W3 (SSA-approved) "));
    addPaper(1, tr("Print data only on a preprinted Red-ink Laser W3 form"));
  } else {
    addPaper(0, tr("Print a copy"));
    addPaper(1, tr("Print data only on a preprinted Red-ink Laser form"));
  }
  typeLayout->setColumnStretch(1, 1);
  for (auto* button : paper_)
    if (button) connect(button, &QRadioButton::toggled, this, [this] { UpdateEnabling(); });
  return type;
}

// The W-2's space between the top and bottom forms of a sheet.
void CPrintOptionsDlg::BuildSpaceRow(QVBoxLayout* layout) {
  auto* spaceRow = new QHBoxLayout;
  spaceRow->addWidget(new QLabel(tr("Vertical space in inches between the Top and Bottom forms "), this));
  space_ = InchesField(this);
  spaceRow->addWidget(space_);
  spaceRow->addStretch(1);
  layout->addLayout(spaceRow);
  auto* note = new QLabel(tr("(Do NOT change this unless you have to, default value is 1.33\")"), this);
  layout->addWidget(note);
}

// "Preview..." and "Print Alignment Page" apart on the left, OK and Cancel
// where the desktop puts them.
void CPrintOptionsDlg::BuildButtonRow(QVBoxLayout* layout) {
  auto* buttonRow = new QHBoxLayout;
  auto* preview = new QPushButton(tr("Preview..."), this);
  preview->setAutoDefault(false);
  previewButton_ = preview;
  connect(previewButton_, &QAbstractButton::clicked, this, &CPrintOptionsDlg::Preview);
  buttonRow->addWidget(previewButton_);
  auto* alignment = new QPushButton(tr("Print &Alignment Page"), this);
  alignment->setAutoDefault(false);
  alignment->setToolTip(tr("Prints one form of sample data with crosshairs on two corners of the form's boxes "
                           "and rulers, at these offsets. Lay it on a pre-printed form against the light to see "
                           "which offsets to enter."));
  alignmentButton_ = alignment;
  connect(alignmentButton_, &QAbstractButton::clicked, this, &CPrintOptionsDlg::PrintAlignmentPage);
  buttonRow->addWidget(alignmentButton_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CPrintOptionsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CPrintOptionsDlg::reject);
  buttonRow->addWidget(buttons, 1);
  layout->addSpacing(6);
  layout->addLayout(buttonRow);
}

QRadioButton* CPrintOptionsDlg::PaperButton(int paper) const {
  return paper >= 0 && paper < 3 ? paper_[paper] : nullptr;
}

QRadioButton* CPrintOptionsDlg::TargetButton(int target) const {
  return target == 0 || target == 1 ? target_[target] : nullptr;
}

QRadioButton* CPrintOptionsDlg::DirectionButton(bool horizontal, int direction) const {
  if (horizontal) return direction == 0 ? left_ : right_;
  return direction == 0 ? up_ : down_;
}

PrintOptionsEntry CPrintOptionsDlg::Entry() const {
  PrintOptionsEntry e;
  e.horizontalOffset = horizontal_->Text();
  e.verticalOffset = vertical_->Text();
  e.horizontalDirection = left_->isChecked() ? 0 : 1;
  e.verticalDirection = up_->isChecked() ? 0 : 1;
  e.target = target_[1] && target_[1]->isChecked() ? 1 : 0;
  for (int i = 0; i < 3; ++i)
    if (paper_[i] && paper_[i]->isChecked()) e.paper = i;
  e.copy = copies_ ? copies_->currentIndex() : 0;
  if (space_) e.verticalSpace = space_->Text();
  return e;
}

void CPrintOptionsDlg::SetEntry(const PrintOptionsEntry& e) {
  horizontal_->SetText(e.horizontalOffset);
  vertical_->SetText(e.verticalOffset);
  (e.horizontalDirection == 0 ? left_ : right_)->setChecked(true);
  (e.verticalDirection == 0 ? up_ : down_)->setChecked(true);
  if (target_[0]) target_[e.target == 1 ? 1 : 0]->setChecked(true);
  if (QRadioButton* paper = PaperButton(e.paper)) paper->setChecked(true);
  if (copies_) copies_->setCurrentIndex(e.copy);
  if (space_) space_->SetText(e.verticalSpace);
  UpdateEnabling();
}

void CPrintOptionsDlg::UpdateEnabling() {
  const PrintOptionsEntry e = Entry();
  const bool offsets = OffsetsEnabled(form_, e);
  for (QWidget* w : {static_cast<QWidget*>(offsetGroup_), static_cast<QWidget*>(horizontalGroup_),
                     static_cast<QWidget*>(verticalGroup_), static_cast<QWidget*>(space_)})
    if (w) w->setEnabled(offsets);
  if (copies_) copies_->setEnabled(CopyListEnabled(form_, e));
  // The alignment page is for the pre-printed form, whose offsets it tries.
  if (alignmentButton_) alignmentButton_->setEnabled(offsets);
  // The payees' files hold every payee and the copies each gets, on blank paper.
  if (payeeFiles_ && payeeFiles_->isChecked()) {
    for (QWidget* w : {static_cast<QWidget*>(targetGroup_), static_cast<QWidget*>(typeGroup_),
                       static_cast<QWidget*>(offsetGroup_), static_cast<QWidget*>(space_),
                       static_cast<QWidget*>(alignmentButton_)})
      if (w) w->setEnabled(false);
  } else {
    for (QGroupBox* g : {targetGroup_, typeGroup_})
      if (g) g->setEnabled(true);
  }
}

bool CPrintOptionsDlg::Confirm(FormPrintSettings& settings) {
  PrintOptionsEntry e = Entry();
  if (const auto refusal = ConfirmPrintOptions(form_, e, settings)) {
    QMessageBox::warning(this, kCaption, ToQt(*refusal));
    if (space_) {
      space_->SetText(e.verticalSpace);
      space_->setFocus();
    }
    return false;
  }
  return true;
}

void CPrintOptionsDlg::accept() {
  if (payeeFiles_ && payeeFiles_->isChecked() && !payeeFiles_->Check()) return;
  if (Confirm(settings_)) QDialog::accept();
}

void CPrintOptionsDlg::Preview() {
  FormPrintSettings trial = settings_;
  if (!Confirm(trial)) return;
  const std::unique_ptr<FormPrintJob> job = preview_ ? preview_(trial) : nullptr;
  if (!job) {
    QMessageBox::information(this, kCaption, tr("There is nothing to print with these choices."));
    return;
  }
  const bool redInk = trial.paperType == 1;
  ShowPrintPreview(this, *job, PrintJobTitle(form_), redInk ? std::optional<PrintForm>(form_) : std::nullopt);
}

void CPrintOptionsDlg::PrintAlignmentPage() {
  FormPrintSettings trial = settings_;
  if (!Confirm(trial)) return;
  const std::unique_ptr<FormPrintJob> page = MakeAlignmentPage(form_, trial);
  alignmentSink_(this, *page, PrintJobTitle(form_) + tr(" alignment page"));
}

}  // namespace formet
