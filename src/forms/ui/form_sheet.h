#pragma once
// The look of the paper forms on the four form pages: a sheet of boxes in the
// forms' red ink, each box with its number and caption at the top-left and
// its fields below, the boxes ruled off from each other as on the paper.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QString>

class QGridLayout;
class QBoxLayout;
class QCheckBox;
class QScrollArea;

namespace formet {

// The red of the forms' ink, and the sheet's paper.
QColor FormInk();

// A box of a paper form: its number (bold) and caption at the top-left, then
// its content. It rules its right and bottom edges; the sheet rules the
// outside.
class CFormBox : public QFrame {
  Q_OBJECT
 public:
  // `number` may be empty (boxes without a number); the caption may hold
  // "\n" for a second line.
  CFormBox(const QString& number, const QString& caption, QWidget* parent);

  // The content: widgets are added below the caption.
  QBoxLayout* Content() const { return content_; }
  void Add(QWidget* widget, int stretch = 0);
  QLabel* Caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* caption_;
  QBoxLayout* content_;
};

// A sheet of boxes on a grid with no gaps, ruled round the outside.
class CFormSheet : public QWidget {
  Q_OBJECT
 public:
  explicit CFormSheet(QWidget* parent);
  QGridLayout* Grid() const { return grid_; }
  // A box placed on the grid.
  CFormBox* AddBox(const QString& number, const QString& caption, int row, int column, int rowSpan = 1,
                   int columnSpan = 1);
  // Any widget placed on the grid (a group of boxes, a title cell).
  void Place(QWidget* widget, int row, int column, int rowSpan = 1, int columnSpan = 1);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QGridLayout* grid_;
};

// The top strip of a form: the form's number in a cell of its own, then a
// box, spanning `columnSpan` columns of the sheet's first row. Returns the box.
CFormBox* NumberStrip(CFormSheet* sheet, const QString& formNumber, const QString& boxLetter, const QString& caption,
                      int columnSpan);

// A cell of printed text on a sheet (titles, the form's number): ruled like
// a box, without fields.
CFormBox* TitleCell(const QString& html, QWidget* parent);

// A read-only field: the value copied from another record, visibly not for
// typing (tinted, no frame of an entry field), its text selectable.
class CShownField : public QLineEdit {
  Q_OBJECT
 public:
  // `characters`: how many characters the field shows without scrolling.
  CShownField(const QString& name, int characters, QWidget* parent);
  void Show(const std::string& win1252);
};

// A read-only block of several lines (an address).
class CShownBlock : public QLabel {
  Q_OBJECT
 public:
  CShownBlock(const QString& name, int characters, int lines, QWidget* parent);
  // Lines in the code page of records; empty lines are left out.
  void Show(std::initializer_list<std::string> lines);
};

// A read-only check box (Kind of Payer, the 2nd TIN notice).
QCheckBox* ShownCheckBox(const QString& name, const QString& text, QWidget* parent);

// The width of `characters` characters of the widget's font, with room for
// its frame: fields are sized from their font, never in fixed pixels.
int FieldWidth(const QWidget* widget, int characters);

// Makes an entry field fill its box, no narrower than `characters`.
void StretchField(QWidget* field, int characters);

// A scroll area over white paper that holds the sheet at its natural size,
// and below it `afterSheet` (a footer), if given.
QScrollArea* SheetScrollArea(QWidget* sheet, QWidget* afterSheet, QWidget* parent);

// The look of entry fields, read-only fields and captions on a sheet.
QString FormSheetStyle();

}  // namespace formet
