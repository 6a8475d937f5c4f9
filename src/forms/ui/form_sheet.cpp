#include "forms/ui/form_sheet.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include "kit/ui/qt_text.h"

namespace formet {

QColor FormInk() { return QColor(0xb0, 0x1e, 0x23); }

CFormBox::CFormBox(const QString& number, const QString& caption, QWidget* parent) : QFrame(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 5, 4);
  layout->setSpacing(2);
  QString html;
  if (!number.isEmpty()) html = "<b>" + number.toHtmlEscaped() + "</b>&nbsp;";
  html += caption.toHtmlEscaped().replace('\n', "<br>");
  caption_ = new QLabel(html, this);
  caption_->setTextFormat(Qt::RichText);
  caption_->setObjectName(QStringLiteral("BoxCaption"));
  caption_->setWordWrap(false);
  caption_->setVisible(!html.isEmpty());
  layout->addWidget(caption_);
  content_ = new QVBoxLayout;
  content_->setSpacing(2);
  layout->addLayout(content_, 1);
}

void CFormBox::Add(QWidget* widget, int stretch) { content_->addWidget(widget, stretch); }

void CFormBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setPen(QPen(FormInk(), 1));
  painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
  painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}

CFormSheet::CFormSheet(QWidget* parent) : QWidget(parent) {
  grid_ = new QGridLayout(this);
  grid_->setContentsMargins(1, 1, 0, 0);  // room for the outer rule's top and left
  grid_->setSpacing(0);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

CFormBox* CFormSheet::AddBox(const QString& number, const QString& caption, int row, int column, int rowSpan,
                             int columnSpan) {
  auto* box = new CFormBox(number, caption, this);
  Place(box, row, column, rowSpan, columnSpan);
  return box;
}

void CFormSheet::Place(QWidget* widget, int row, int column, int rowSpan, int columnSpan) {
  grid_->addWidget(widget, row, column, rowSpan, columnSpan);
}

void CFormSheet::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(FormInk(), 2));
  painter.drawRect(QRect(0, 0, width() - 1, height() - 1).adjusted(0, 0, 0, 0));
}

CFormBox* TitleCell(const QString& html, QWidget* parent) {
  auto* cell = new CFormBox({}, {}, parent);
  auto* text = new QLabel(html, cell);
  text->setTextFormat(Qt::RichText);
  text->setObjectName(QStringLiteral("FormTitle"));
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  cell->Add(text, 1);
  return cell;
}

CFormBox* NumberStrip(CFormSheet* sheet, const QString& formNumber, const QString& boxLetter, const QString& caption,
                      int columnSpan) {
  auto* strip = new QWidget(sheet);
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(TitleCell("<b style='font-size:large'>" + formNumber.toHtmlEscaped() + "</b>", strip));
  auto* box = new CFormBox(boxLetter, caption, strip);
  row->addWidget(box, 1);
  sheet->Place(strip, 0, 0, 1, columnSpan);
  return box;
}

int FieldWidth(const QWidget* widget, int characters) {
  const QFontMetrics fm(widget->font());
  return fm.averageCharWidth() * characters + fm.averageCharWidth() + 10;
}

void StretchField(QWidget* field, int characters) {
  field->setMinimumWidth(FieldWidth(field, characters));
  field->setMaximumWidth(QWIDGETSIZE_MAX);
  field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

CShownField::CShownField(const QString& name, int characters, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
  setReadOnly(true);
  setFocusPolicy(Qt::ClickFocus);  // selectable for copying, skipped by Tab
  StretchField(this, characters);
}

void CShownField::Show(const std::string& win1252) {
  const QString text = ToQt(win1252);
  if (QLineEdit::text() != text) {
    setText(text);
    setCursorPosition(0);
  }
}

CShownBlock::CShownBlock(const QString& name, int characters, int lines, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setProperty("shown", true);
  setTextFormat(Qt::PlainText);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const QFontMetrics fm(font());
  setMinimumSize(FieldWidth(this, characters), fm.lineSpacing() * lines + 8);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CShownBlock::Show(std::initializer_list<std::string> lines) {
  QStringList shown;
  for (const auto& line : lines)
    if (!line.empty()) shown << ToQt(line);
  setText(shown.join('\n'));
}

QCheckBox* ShownCheckBox(const QString& name, const QString& text, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  box->setEnabled(false);
  return box;
}

QScrollArea* SheetScrollArea(QWidget* sheet, QWidget* afterSheet, QWidget* parent) {
  auto* paper = new QWidget(parent);
  paper->setObjectName(QStringLiteral("Paper"));
  auto* paperLayout = new QVBoxLayout(paper);
  paperLayout->setContentsMargins(2, 2, 8, 8);
  paperLayout->setSpacing(6);
  auto* row = new QHBoxLayout;
  row->addWidget(sheet, 0);
  row->addStretch(1);
  paperLayout->addLayout(row);
  if (afterSheet) paperLayout->addWidget(afterSheet);
  paperLayout->addStretch(1);
  QPalette p = paper->palette();
  p.setColor(QPalette::Window, Qt::white);
  paper->setAutoFillBackground(true);
  paper->setPalette(p);
  auto* scroll = new QScrollArea(parent);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(paper);
  return scroll;
}

QString FormSheetStyle() {
  const QString ink = FormInk().name();
  return QStringLiteral(
             "QLabel#BoxCaption { color: %1; font-size: %2pt; }"
             "QLabel#FormTitle { color: %1; }"
             "QLineEdit { background: white; border: 1px solid #b8bcc2; border-radius: 2px; padding: 1px 3px; }"
             "QLineEdit:focus { border: 1px solid #3b7ddd; }"
             "QLineEdit:disabled { background: #f4f4f4; color: #9a9a9a; border-color: #dddddd; }"
             "QLineEdit[readOnly=\"true\"], QLabel[shown=\"true\"] { background: #f3efe8; color: #1d1d1d;"
             " border: 1px solid #e2dbcf; border-radius: 2px; padding: 1px 3px; }"
             "QCheckBox:disabled { color: #1d1d1d; }")
      .arg(ink)
      .arg(QFont().pointSizeF() * 0.82, 0, 'f', 1);
}

}  // namespace formet
