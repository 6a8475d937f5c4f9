#include "records/ui/company_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <vector>

#include "kit/ui/pages.h"
#include "records/company_setup.h"
#include "store/ui_services.h"

namespace formet {
namespace {

// How a tab arranges its fields: titled sections of rows, one field a row
// (the field named by kJoinsRow sits on the row of the field before it).
struct Section {
  const char* title;
  std::vector<const char*> columns;
};

const std::vector<Section> kTabSections[] = {
    // General Information
    {{"Employer", {"EmployerName", "Address1", "Address2", "City", "State", "Zip"}},
     {"Identification numbers", {"EmployerIdentificationNumber", "StateID", "SocialSecurityNumber"}}},
    // W3 Information
    {{"Transmittal", {"FormW3ControlNumber", "FormW3EstablishmentNumber", "FormW3OtherEIN", "FormW3RadioKindOfPayer"}},
     {"Sick pay",
      {"FormW3CheckThirdPartySickPay", "FormW3ThirdPartySickPay", "FormW3IncomeTaxWithHeld"}},
     {"Contact", {"FormW3ContactName", "FormW3Email", "FormW3Telephone", "FormW3Fax"}}},
    // 1096 Information
    {{"Contact", {"Form1096ContactName", "Form1096Telephone", "Form1096Email", "Form1096Fax"}},
     {"Filer", {"Form1096FilerName", "Form1096CheckIsThisYourFinalReturn"}}},
};

// The zip code follows the state on its row.
const char* const kJoinsRow = "Zip";

std::optional<size_t> FieldOfColumn(const char* column) {
  const auto fields = CompanyFields();
  for (size_t i = 0; i < fields.size(); ++i)
    if (std::strcmp(fields[i].column, column) == 0) return i;
  return std::nullopt;
}

QLabel* SectionTitle(const QString& text, QWidget* parent) {
  auto* title = new QLabel(text, parent);
  QFont f = title->font();
  f.setBold(true);
  title->setFont(f);
  title->setStyleSheet(QStringLiteral("color: #1f3b5c; border-bottom: 1px solid #c9d3de; padding-bottom: 3px;"));
  // A title spans the columns without asking for width of its own, so that
  // spare room goes to the fields, not to the indent before the labels.
  title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  return title;
}

}  // namespace

CPropSheetCompany::CPropSheetCompany(QWidget* parent) : QTabWidget(parent) {
  const auto captions = CompanyTabCaptions();
  // Each tab scrolls when the window is too small for it.
  std::vector<QWidget*> tabs;
  for (const char* caption : captions) {
    auto* tab = new QWidget;
    tabs.push_back(tab);
    addTab(new CFittingScrollArea(tab, this), tr(caption));
  }
  // The controls in the order of the field table, on their tabs.
  const auto fields = CompanyFields();
  for (const auto& field : fields) controls_.Add(field, tabs[static_cast<size_t>(field.tab)]);

  // One label column width for all tabs, so the fields line up from tab to
  // tab; a label longer than about 30 characters wraps.
  const int labelLimit = fontMetrics().averageCharWidth() * 30;
  int labelWidth = 0;
  for (const auto& field : fields) {
    if (field.kind == FieldKind::CheckBox) continue;
    QLabel* probe = FieldControls::Label(field.label, this, labelLimit);
    labelWidth = std::max(labelWidth, probe->sizeHint().width());
    delete probe;
  }

  std::vector<bool> placed(fields.size(), false);
  for (size_t t = 0; t < tabs.size(); ++t) {
    QWidget* tab = tabs[t];
    auto* grid = new QGridLayout(tab);
    grid->setContentsMargins(18, 14, 18, 14);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(7);
    grid->setColumnMinimumWidth(0, 12);
    grid->setColumnMinimumWidth(1, labelWidth);
    int row = 0;
    auto addSectionTitle = [&](const QString& text) {
      if (row > 0) grid->setRowMinimumHeight(row++, 10);
      grid->addWidget(SectionTitle(text, tab), row++, 0, 1, 3);
    };
    // A control takes its full width when there is room and shrinks (down
    // to its minimum) when there is not; the rest of the row stays empty.
    auto addControl = [&](QWidget* control) {
      auto* line = new QHBoxLayout;
      line->setSpacing(0);
      line->addWidget(control);
      line->addStretch(1);
      grid->addLayout(line, row++, 2);
    };
    auto place = [&](size_t i) {
      const auto& field = fields[i];
      QWidget* control = controls_.At(i);
      placed[i] = true;
      if (field.kind == FieldKind::CheckBox || *field.label == '\0') {
        addControl(control);
        return;
      }
      QLabel* label = FieldControls::Label(field.label, tab, labelLimit);
      label->setBuddy(control);
      grid->addWidget(label, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
      // A field that shares the next field's row (State with its zip code).
      const bool sharesRow = i + 1 < fields.size() && std::strcmp(fields[i + 1].column, kJoinsRow) == 0 &&
                             fields[i + 1].tab == field.tab;
      if (!sharesRow) {
        addControl(control);
        return;
      }
      auto* line = new QHBoxLayout;
      line->setSpacing(10);
      line->addWidget(control);
      line->addSpacing(14);
      QLabel* nextLabel = FieldControls::Label(fields[i + 1].label, tab);
      nextLabel->setBuddy(controls_.At(i + 1));
      line->addWidget(nextLabel);
      line->addWidget(controls_.At(i + 1));
      line->addStretch(1);
      placed[i + 1] = true;
      grid->addLayout(line, row++, 2);
    };
    for (const auto& section : kTabSections[t]) {
      addSectionTitle(tr(section.title));
      for (const char* column : section.columns) {
        const auto i = FieldOfColumn(column);
        if (i && !placed[*i] && static_cast<size_t>(fields[*i].tab) == t) place(*i);
      }
    }
    // Any field of this tab the arrangement does not name still gets a row.
    for (size_t i = 0; i < fields.size(); ++i)
      if (!placed[i] && static_cast<size_t>(fields[i].tab) == t) place(i);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
}

CCompanyView::CCompanyView(CGlobalDoc& doc, UiServices& ui, QWidget* parent) : CPage(doc, parent), ui_(ui) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(14);
  layout->addWidget(PageHeading(tr("Company Setup"), this));

  sheet_ = new CPropSheetCompany(this);
  // As tall as its fields when there is room; smaller (its tabs scroll) when not.
  sheet_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);

  update_ = new QPushButton(tr("&Update"), this);
  reset_ = new QPushButton(tr("&Reset"), this);
  clear_ = new QPushButton(tr("C&lear"), this);
  update_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  buttons->addStretch(1);
  for (auto* button : {update_, reset_, clear_}) {
    button->setMinimumWidth(std::max(96, button->fontMetrics().horizontalAdvance(button->text()) + 32));
    buttons->addWidget(button);
  }

  // The sheet and its buttons keep together at the top left, however wide
  // the page is.
  auto* column = new QVBoxLayout;
  column->setSpacing(10);
  column->addWidget(sheet_, 1);
  column->addLayout(buttons);
  auto* block = new QWidget(this);
  block->setLayout(column);
  column->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(block, 1, Qt::AlignLeft);
  layout->addStretch(0);

  connect(update_, &QPushButton::clicked, this, &CCompanyView::OnUpdate);
  connect(reset_, &QPushButton::clicked, this, &CCompanyView::OnReset);
  connect(clear_, &QPushButton::clicked, this, &CCompanyView::OnClear);
  sheet_->Controls().OnChanged(this, [this] { emit editsChanged(); });
}

void CCompanyView::OnDocumentRefresh() {
  sheet_->SetValues(LoadCompanyPages(doc_.GetCompany()));
  emit editsChanged();
}

bool CCompanyView::HasUnsavedEdits() const { return CompanyPagesEdited(doc_, sheet_->Values()); }

bool CCompanyView::OnDocumentClosing() { return AskAboutCompanyEdits(doc_, ui_, sheet_->Values()); }

bool CCompanyView::SaveUnsavedEdits() {
  const ChangeResult result = ApplyCompanyPages(doc_, ui_, sheet_->Values());
  Report(result);
  return result.Saved();
}

void CCompanyView::Report(const ChangeResult& result) {
  if (result.Done() && result.saveCode != 0) ui_.ShowError(SaveFailureMessage(result.saveCode, &doc_.Journal()));
}

void CCompanyView::OnUpdate() { Report(UpdateCompany(doc_, ui_, sheet_->Values())); }

void CCompanyView::OnReset() {
  PageValues values = sheet_->Values();
  if (ResetCompany(doc_, ui_, values)) sheet_->SetValues(values);
}

void CCompanyView::OnClear() {
  PageValues values = sheet_->Values();
  if (ClearCompany(doc_, ui_, values)) sheet_->SetValues(values);
}

}  // namespace formet
