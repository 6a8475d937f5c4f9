#pragma once
// CMaskedEdit: the input field of every page and dialog that has input rules.
// A QLineEdit whose text only ever changes through the masked-edit rules:
// typing, pasting (keys, menu, middle button), dropping, cutting, deleting
// (every key that deletes: Backspace, Delete, Ctrl+Backspace, Ctrl+Delete,
// Ctrl+K, Ctrl+U ...), input methods and undo all go through them. Whatever
// a rule refuses or cuts is shown as a short note at the field.
//
// Text() and SetText() speak the language of records: Windows-1252, and
// amounts always with "." as the decimal separator (and "-" as the sign),
// whatever the user's locale; the field shows the locale's separators. A
// value set with SetText() is shown as stored: nothing of it is filtered or
// cut, only what the user types is.
//
// An amount field takes its whole text as the selection whenever it gains
// the focus (by Tab, by a click, or from the program), so that what is typed
// replaces the amount instead of going into it; a click into the amount the
// user is in already only moves the caret.
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <string>
#include <vector>

#include "kit/masked_edit_rules.h"

class QLabel;

namespace formet {

class CMaskedEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit CMaskedEdit(QWidget* parent = nullptr);
  ~CMaskedEdit() override;

  void SetTextRule(int maxLength, const std::string& refused);
  void SetMask(const std::string& mask);
  void SetNumberRule(int wholeDigits, int decimals);
  void SetWholeDigits(int n);
  void SetDecimals(int f);
  void SetSignAllowed(bool on);
  void SetMaxLength(int n);
  void SetRefused(const std::string& chars);

  // The text as records hold it (Windows-1252; amounts with ".").
  std::string Text() const;
  // Shows a record's text as it is stored (amounts with the locale's
  // separators). The field counts as not edited afterwards.
  void SetText(const std::string& win1252);
  // True once the user changed the text since the last SetText.
  bool IsEdited() const { return edited_; }

  // The last note shown at the field since the last SetText (why typed,
  // pasted or dropped text was refused or cut); empty when none.
  QString LastNote() const { return lastNote_; }
  // The note is shown under the field, and the field's frame marked, from the
  // refusal until a key is pressed in another control (typing on in this
  // field, or Tab, leaves it) or the field is hidden. It lies over the window
  // without ever taking the focus, a click or a key: a click on it reaches
  // the control under it. NoteLabel() is null before the first note.
  bool NoteShown() const { return noteShown_; }
  const QWidget* NoteLabel() const;

  // Sizes the field from its font and its rule, and again whenever the font
  // changes: a mask or an amount is exactly as wide as its widest value; a
  // text field as wide as its maximum length in average characters (at most
  // 42), and may shrink to 12 of them when room is short (its text then
  // scrolls, as in any edit).
  void FitToContent();
  QSize sizeHint() const override;

  // The user's negative sign and separators, for numeric fields.
  static maskedit::NumberLocale UserNumberLocale();

 signals:
  // A note was shown at the field.
  void noteShown(const QString& note);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Pull();  // the widget's selection -> model
  // model -> widget; a change the user made is announced as textEdited and
  // can be undone.
  void Push(const maskedit::Effects& effects, bool byUser = true);
  // Runs one user action on the model: the state before it goes to the
  // undo history when the text changes.
  template <class Action>
  void Edit(Action action);
  void TypeText(const QString& text);
  // Text from the clipboard or a drop: it must pass the rule for entered
  // text, then the field's rule.
  void PasteText(const QString& text);
  void PasteFrom(bool selection);
  void Cut();
  void Clear();
  // Deletes the span the line edit's own key handling would select
  // (words, to the end of the line, the whole line), through the rules.
  void DeleteSpan(int start, int end, bool copyFirst);
  void Undo();
  void Redo();
  // A change that reached the line edit some other way: put the text back
  // and make the same change through the rules.
  void OnTextChanged(const QString& text);
  void ShowNote(const std::string& note);
  void ShowNote(const QString& note);
  void PlaceNote();
  void HideNote();
  bool IsAmount() const;
  void AfterSetting();
  bool CanEdit() const { return !isReadOnly(); }

  maskedit::MaskedEdit model_;
  std::vector<maskedit::EditState> undo_;
  std::vector<maskedit::EditState> redo_;
  bool pushing_ = false;
  bool fitted_ = false;
  int preferredWidth_ = 0;
  bool edited_ = false;
  QString lastNote_;
  QPointer<QLabel> note_;  // a child of the field's window, made at the first note
  bool noteShown_ = false;
  // The mouse press that gives an amount field the focus (or the first one
  // after the focus came without the user's choosing) selects the whole
  // amount; that press and the drag that follows it do not move the caret.
  bool selectOnPress_ = false;
  bool pressSelected_ = false;
  // The focus left with the window or for a menu: coming back, the field
  // keeps its caret and selection.
  bool returnKeepsSelection_ = false;
};

}  // namespace formet
