#include "forms/ui/transmittal_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "forms/ui/form_sheet.h"
#include "kit/ui/color_button.h"
#include "kit/ui/qt_text.h"
#include "records/ui/field_controls.h"

namespace formet {

CTransmittalPage::CTransmittalPage(CGlobalDoc& doc, UiServices& ui, const QString& title,
                                   const QString& printCaption, const QString& note, QWidget* parent)
    : CPage(doc, parent), ui_(ui) {
  setStyleSheet(FormSheetStyle());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 12);
  layout->setSpacing(8);
  layout->addWidget(PageHeading(title, this));
  auto* row = new QHBoxLayout;
  row->setSpacing(12);
  print_ = new CColorButton(printCaption, this);
  print_->setObjectName(QStringLiteral("Print"));
  print_->setMinimumWidth(print_->fontMetrics().horizontalAdvance(printCaption) + 40);
  row->addWidget(print_, 0, Qt::AlignTop);
  auto* text = new QLabel(note, this);
  text->setObjectName(QStringLiteral("Note"));
  text->setWordWrap(true);
  text->setStyleSheet(QStringLiteral("color: #4a5866;"));
  row->addWidget(text, 1);
  layout->addLayout(row);
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("TotalsProblem"));
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
  problem_->hide();
  layout->addWidget(problem_);
  connect(print_, &QPushButton::clicked, this, [this] { OnPrint(); });
}

void CTransmittalPage::Finish(QWidget* sheet, QWidget* afterSheet) {
  scroll_ = SheetScrollArea(sheet, afterSheet, this);
  static_cast<QVBoxLayout*>(layout())->addWidget(scroll_, 1);
}

void CTransmittalPage::ShowProblem(const std::string& win1252) {
  problem_->setText(ToQt(win1252));
  problem_->setVisible(!win1252.empty());
}

CShownField* TotalField(const QString& name, QWidget* parent) {
  auto* field = new CShownField(name, 13, parent);
  field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return field;
}

}  // namespace formet
