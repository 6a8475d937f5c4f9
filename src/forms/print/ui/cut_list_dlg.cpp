#include "forms/print/ui/cut_list_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "store/text_codec.h"

namespace formet {
namespace {

QString Unicode(const std::string& win1252) { return QString::fromStdString(Win1252ToUtf8(win1252)); }

}  // namespace

CCutListDlg::CCutListDlg(const CutReport& cuts, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromLatin1(kCutListTitle));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(QString::fromLatin1(kCutListText), this);
  text->setWordWrap(true);
  layout->addWidget(text);

  table_ = new QTableWidget(static_cast<int>(cuts.Size()), 4, this);
  table_->setHorizontalHeaderLabels({tr("Form"), tr("Box"), tr("Value"), tr("Printed as")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setWordWrap(false);
  int row = 0;
  for (const CutText& cut : cuts.Cuts()) {
    const std::string* cells[4] = {&cut.form, &cut.box, &cut.value, &cut.printed};
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem(Unicode(*cells[column]));
      item->setToolTip(item->text());  // a value wider than its column shows whole here
      table_->setItem(row, column, item);
    }
    ++row;
  }
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  table_->resizeColumnsToContents();
  table_->setTextElideMode(Qt::ElideMiddle);
  constexpr int kWidestColumn = 320;  // pixels: a value of 59 characters is elided in the middle
  for (int c = 0; c < 4; ++c) table_->setColumnWidth(c, std::min(table_->columnWidth(c), kWidestColumn));
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_);

  auto* buttons = new QDialogButtonBox(this);
  printAnyway_ = buttons->addButton(tr("Print anyway"), QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
  printAnyway_->setAutoDefault(false);
  cancel_->setDefault(true);
  cancel_->setFocus();
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  int width = 2 * table_->frameWidth() + 4;
  for (int c = 0; c < 4; ++c) width += table_->columnWidth(c);
  const int rows = std::min(static_cast<int>(cuts.Size()), 12);
  const int height = table_->horizontalHeader()->sizeHint().height() + rows * table_->verticalHeader()->defaultSectionSize() +
                     2 * table_->frameWidth() + 4;
  table_->setMinimumSize(std::min(width, 1100), height);
  if (static_cast<int>(cuts.Size()) <= rows) table_->setMaximumHeight(height);  // a longer list scrolls
  const QMargins m = layout->contentsMargins();
  preferred_ = QSize(std::min(width, 1100) + m.left() + m.right(),
                     text->heightForWidth(std::min(width, 1100)) + height + buttons->sizeHint().height() +
                         2 * layout->spacing() + m.top() + m.bottom());
  resize(preferred_);
}

}  // namespace formet
