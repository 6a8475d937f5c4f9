#include "records/ui/company_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QHeaderView>
#include <QTreeWidget>
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
  const int limit = CompanyFields()[CompanyFieldIndex(CompanyRecord::Text::EmployerName)].maxLength;
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

namespace {

std::vector<CompanyListing> NamesOnly(const std::vector<std::string>& names) {
  std::vector<CompanyListing> companies;
  for (const auto& name : names) companies.push_back({name, std::nullopt, std::nullopt});
  return companies;
}

}  // namespace

CSelectCompanyDlg::CSelectCompanyDlg(const std::vector<std::string>& names, QWidget* parent, Purpose purpose)
    : QDialog(parent) {
  Build(NamesOnly(names), false, purpose);
}

CSelectCompanyDlg::CSelectCompanyDlg(const std::vector<CompanyListing>& companies, QWidget* parent, Purpose purpose)
    : QDialog(parent) {
  Build(companies, true, purpose);
}

void CSelectCompanyDlg::Build(const std::vector<CompanyListing>& companies, bool details, Purpose purpose) {
  setWindowTitle(tr("Select a Company "));
  auto* layout = new QVBoxLayout(this);
  if (purpose == Purpose::Delete) {
    auto* note = new QLabel(tr("Choose the company to delete. You will be asked once more before it is deleted."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("Companies"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setAllColumnsShowFocus(true);
  if (details) {
    list_->setHeaderLabels({tr("Company"), tr("EIN"), tr("W-2s"), tr("1099-MISCs"), tr("Last changed")});
  } else {
    list_->setHeaderHidden(true);
    list_->setColumnCount(1);
  }
  const QString unknown = QStringLiteral("-");
  for (size_t i = 0; i < companies.size(); ++i) {
    const CompanyListing& company = companies[i];
    auto* item = new QTreeWidgetItem(list_, QStringList{ToQt(company.name)});
    item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
    if (!details) continue;
    if (company.summary) {
      item->setText(1, ToQt(company.summary->ein));
      item->setText(2, QString::number(company.summary->w2Count));
      item->setText(3, QString::number(company.summary->form1099Count));
    } else {
      for (int column : {1, 2, 3}) item->setText(column, unknown);
      item->setToolTip(0, tr("This company file cannot be read now."));
    }
    for (int column : {2, 3}) item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(4, company.changed ? ToQt(ChangedTimeText(*company.changed)) : unknown);
  }
  list_->sortItems(0, Qt::AscendingOrder);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  if (purpose == Purpose::Delete) buttons->button(QDialogButtonBox::Ok)->setText(tr("&Delete"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  const QFontMetrics fm(font());
  int width = std::max(340, fm.averageCharWidth() * 48);
  if (details) {
    // The name takes what the details leave.
    for (int column = 1; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    width = std::max(width, fm.averageCharWidth() * 90);
  }
  resize(width, std::max(300, fm.height() * 16));
}

std::optional<size_t> CSelectCompanyDlg::Chosen() const {
  const auto* item = list_->currentItem();
  if (!item) return std::nullopt;
  return static_cast<size_t>(item->data(0, Qt::UserRole).toULongLong());
}

}  // namespace formet
