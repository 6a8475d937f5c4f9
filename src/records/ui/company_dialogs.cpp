#include "records/ui/company_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <QVBoxLayout>

#include "kit/ui/masked_edit.h"
#include "kit/ui/qt_text.h"

namespace formet {

CNewCompanyDlg::CNewCompanyDlg(UiServices& ui, QWidget* parent) : QDialog(parent), ui_(ui) {
  setWindowTitle(tr("New Company"));
  employer_ = new CMaskedEdit(this);
  legal_ = new CMaskedEdit(this);
  // The name becomes the company's employer name: it takes what that field takes.
  const int limit = CompanyFields()[CompanyFieldIndex(&CompanyRecord::EmployerName)].maxLength;
  for (auto* field : {employer_, legal_}) {
    field->SetTextRule(limit, std::string(kFileNameExclusion));
    field->setMinimumWidth(280);
  }
  auto* form = new QFormLayout;
  form->addRow(tr("Employer Name"), employer_);
  form->addRow(tr("Legal Name"), legal_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CNewCompanyDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CNewCompanyDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  // The legal name follows the employer name until the user edits it.
  connect(employer_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (const auto legal = rules_.OnEmployerNameChanged(FromQt(text))) legal_->SetText(*legal);
  });
  connect(legal_, &QLineEdit::textEdited, this, [this] { rules_.OnLegalNameEdited(); });
}

std::string CNewCompanyDlg::EmployerName() const { return employer_->Text(); }
std::string CNewCompanyDlg::LegalName() const { return legal_->Text(); }

void CNewCompanyDlg::accept() {
  if (!rules_.OnOk(ui_, employer_->Text())) {
    employer_->setFocus();
    return;
  }
  QDialog::accept();
}

CSelectCompanyDlg::CSelectCompanyDlg(const std::vector<std::string>& names, QWidget* parent, Purpose purpose)
    : QDialog(parent) {
  setWindowTitle(tr("Select a Company "));
  auto* layout = new QVBoxLayout(this);
  if (purpose == Purpose::Delete) {
    auto* note = new QLabel(tr("Choose the company to delete. You will be asked once more before it is deleted."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new QListWidgetItem(ToQt(names[i]), list_);
    item->setData(Qt::UserRole, static_cast<qulonglong>(i));
  }
  list_->sortItems();
  if (list_->count() > 0) list_->setCurrentRow(0);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  if (purpose == Purpose::Delete) buttons->button(QDialogButtonBox::Ok)->setText(tr("&Delete"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  const QFontMetrics fm(font());
  resize(std::max(340, fm.averageCharWidth() * 48), std::max(300, fm.height() * 16));
}

std::optional<size_t> CSelectCompanyDlg::Chosen() const {
  const auto* item = list_->currentItem();
  if (!item) return std::nullopt;
  return static_cast<size_t>(item->data(Qt::UserRole).toULongLong());
}

}  // namespace formet
