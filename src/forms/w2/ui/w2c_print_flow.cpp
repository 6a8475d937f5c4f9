#include "forms/w2/ui/w2c_print_flow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "forms/record_as_filed.h"
#include "forms/w2/w2_reissued.h"
#include "kit/ui/qt_text.h"
#include "records/employees.h"
#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {
namespace {

const W2cCopy kCopies[] = {W2cCopy::RedInkCopyA, W2cCopy::CopyA, W2cCopy::Copy1, W2cCopy::CopyB,
                           W2cCopy::CopyC,       W2cCopy::Copy2, W2cCopy::CopyD};

QString CopyText(W2cCopy copy) {
  if (copy == W2cCopy::RedInkCopyA) return QObject::tr("Copy A on the pre-printed red-ink form (data only)");
  if (copy == W2cCopy::CopyA) return QObject::tr("Copy A, black-and-white laser substitute");
  return ToQt(W2cTexts::kCopyCaptions[static_cast<int>(copy)]);
}

PrintSink OrDialog(const PrintSink& sink) {
  if (sink) return sink;
  return [](QWidget* parent, const FormPrintJob& job, const QString& title) {
    return PrintWithDialog(parent, job, title);
  };
}

}  // namespace

CW2cPrintOptionsDlg::CW2cPrintOptionsDlg(bool w3c, bool hasSelected, QWidget* parent) : QDialog(parent), w3c_(w3c) {
  setWindowTitle(w3c ? tr("Print W-3c") : tr("Print W-2c"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  copies_ = new QComboBox(this);
  copies_->setObjectName(QStringLiteral("Copies"));
  if (w3c) {
    copies_->addItem(tr("The pre-printed red-ink form (data only)"));
    copies_->addItem(tr("Blank paper (the form with its data)"));
  } else {
    for (W2cCopy copy : kCopies) copies_->addItem(CopyText(copy));
    copies_->setCurrentIndex(3);  // Copy B
  }
  form->addRow(w3c ? tr("&Paper:") : tr("&Copy:"), copies_);
  layout->addLayout(form);
  if (!w3c) {
    selected_ = new QRadioButton(tr("The W-2c &selected"), this);
    selected_->setObjectName(QStringLiteral("OnlySelected"));
    every_ = new QRadioButton(tr("&Every W-2c"), this);
    every_->setObjectName(QStringLiteral("Every"));
    selected_->setEnabled(hasSelected);
    (hasSelected ? selected_ : every_)->setChecked(true);
    layout->addWidget(selected_);
    layout->addWidget(every_);
    auto* note = new QLabel(tr("Copy A holds only the W-2c's that go to the SSA. One form is printed a page."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  auto* red = new QLabel(tr("On the red-ink form the data is moved by the offsets of the W-2's print options."), this);
  red->setWordWrap(true);
  layout->addWidget(red);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("&Print..."));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

W2cCopy CW2cPrintOptionsDlg::Copy() const {
  const int i = std::clamp(copies_->currentIndex(), 0, static_cast<int>(std::size(kCopies)) - 1);
  return kCopies[i];
}
bool CW2cPrintOptionsDlg::OnlySelected() const { return selected_ && selected_->isChecked(); }
bool CW2cPrintOptionsDlg::RedInk() const { return copies_->currentIndex() == 0; }

RedInkOffsets W2cRedInkOffsets(CGlobalDoc& doc) {
  const FormPrintSettings& s = doc.GetPrintSettings(PrintForm::W2);
  return {(s.horizontalDirection == 0 ? -1 : 1) * s.horizontalOffset,
          (s.verticalDirection == 0 ? -1 : 1) * s.verticalOffset};
}

bool PrintW2cForms(QWidget* parent, CGlobalDoc& doc, UiServices& ui, const W2cPrintChoice& choice,
                   const PrintSink& sink) {
  const W2cPageData data = LoadW2cPageData(doc);
  if (!data.problem.empty()) {
    ui.ShowError(data.problem);
    return false;
  }
  std::vector<std::string> notes;
  std::vector<W2cForm> forms = W2cFormsForCopy(data.list.forms, choice.copy, choice.employeeId, &notes);
  for (const auto& note : notes) ui.ShowMessage(note);
  if (forms.empty()) {
    ui.ShowMessage(NoW2cToPrintMessage(doc.CompanyName(), choice.copy, choice.employeeId >= 0) + ".");
    return false;
  }
  // The checks of the W-2 page on the correct column: print anyway?
  std::vector<std::string> problems;
  for (const auto& f : forms)
    for (const auto& p : f.problems) problems.push_back(f.eFirst + " " + f.eLast + ": " + p);
  if (!problems.empty() && !ui.AskPrintAnyway("These W-2c's have problems:", problems)) return false;
  const W2cPrintJob job(std::move(forms), choice.copy, W2cRedInkOffsets(doc));
  return ConfirmCuts(parent, job) && OrDialog(sink)(parent, job, QStringLiteral("Form W-2c"));
}

bool PrintW3cForm(QWidget* parent, CGlobalDoc& doc, UiServices& ui, bool redInk, const PrintSink& sink) {
  const W2cPageData data = LoadW2cPageData(doc);
  if (!data.problem.empty()) {
    ui.ShowError(data.problem);
    return false;
  }
  if (ComputeW3cTotals(data.list.forms).formCount == 0) {
    ui.ShowMessage(doc.CompanyName() + " has no W-2c to send to the SSA, so there is no W-3c; nothing was printed.");
    return false;
  }
  std::string problem;
  const W3cPage page = LoadW3cPage(doc, data.list, &problem);
  if (!problem.empty()) {
    ui.ShowError(problem);
    return false;
  }
  const W3cPrintJob job(page, redInk, W2cRedInkOffsets(doc));
  return ConfirmCuts(parent, job) && OrDialog(sink)(parent, job, QStringLiteral("Form W-3c"));
}

bool PrintReissuedStatement(QWidget* parent, CGlobalDoc& doc, UiServices& ui, int32_t employeeId,
                            const PrintSink& sink) {
  const auto& employees = doc.GetEmployees();
  const auto employee = std::find_if(employees.begin(), employees.end(),
                                     [&](const EmployeeRecord& e) { return e.EmployeeUniqueID == employeeId; });
  if (employee == employees.end()) return false;
  const int index = static_cast<int>(employee - employees.begin());
  const W2ReissuedJob job(W2PrintData{&doc.GetCompany(), &employees, &doc.GetW2Forms(), {}, index});
  if (job.PageCount() == 0) {
    ui.ShowMessage(EmployeeDisplayName(*employee) + " has no W-2; nothing was printed.");
    return false;
  }
  return ConfirmCuts(parent, job) && OrDialog(sink)(parent, job, QStringLiteral("Form W-2 (reissued statement)"));
}

}  // namespace formet
