#include "app/ui/masked_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>

#include "app/ui/qt_text.h"

namespace formet {

CMaskedEdit::CMaskedEdit(QWidget* parent) : QLineEdit(parent) {
  setDragEnabled(false);
  setAcceptDrops(false);
  model_.SetNumberLocale(UserNumberLocale());
}

maskedit::NumberLocale CMaskedEdit::UserNumberLocale() {
  const QLocale locale;
  maskedit::NumberLocale l;
  auto single = [](const QString& s, char fallback) {
    const std::string b = FromQt(s);
    return b.size() == 1 ? b[0] : fallback;
  };
  l.minus = single(locale.negativeSign(), '-');
  l.decimal = single(locale.decimalPoint(), '.');
  l.thousands = single(locale.groupSeparator(), ',');
  if (l.thousands == l.decimal) l.thousands = l.decimal == ',' ? '.' : ',';
  return l;
}

void CMaskedEdit::Pull() {
  auto& s = model_.State();
  s.text = FromQt(QLineEdit::text());
  if (hasSelectedText()) {
    s.selStart = selectionStart();
    s.selEnd = selectionStart() + static_cast<int>(selectedText().size());
  } else {
    s.SetCaret(cursorPosition());
  }
}

void CMaskedEdit::Push(const maskedit::Effects& effects, bool byUser) {
  const auto& s = model_.State();
  const QString text = ToQt(s.text);
  const bool changed = text != QLineEdit::text();
  if (changed) QLineEdit::setText(text);
  if (s.selStart != s.selEnd) setSelection(s.selStart, s.selEnd - s.selStart);
  else setCursorPosition(s.selEnd);
  if (effects.copied) QApplication::clipboard()->setText(ToQt(effects.clipboard));
  if (effects.beep) QApplication::beep();
  if (changed && byUser) emit textEdited(text);
}

std::string CMaskedEdit::Text() const { return FromQt(QLineEdit::text()); }

void CMaskedEdit::SetText(const std::string& win1252) {
  model_.OnSetText(win1252);
  Push({}, false);
}

void CMaskedEdit::AfterSetting() {
  // A changed setting applies the rule to the current text.
  Pull();
  model_.OnSetText(model_.State().text);
  Push({}, false);
}

void CMaskedEdit::SetTextRule(int maxLength, const std::string& refused) {
  model_.SetTextRule(maxLength, refused);
  AfterSetting();
}
void CMaskedEdit::SetMask(const std::string& mask) {
  model_.SetMask(mask);
  AfterSetting();
}
void CMaskedEdit::SetNumberRule(int wholeDigits, int decimals) {
  model_.SetNumberRule(wholeDigits, decimals);
  AfterSetting();
}
void CMaskedEdit::SetWholeDigits(int n) {
  model_.SetWholeDigits(n);
  AfterSetting();
}
void CMaskedEdit::SetDecimals(int f) {
  model_.SetDecimals(f);
  AfterSetting();
}
void CMaskedEdit::SetSignAllowed(bool on) {
  model_.SetSignAllowed(on);
  AfterSetting();
}
void CMaskedEdit::SetMaxLength(int n) {
  model_.SetMaxLength(n);
  AfterSetting();
}
void CMaskedEdit::SetRefused(const std::string& chars) {
  model_.SetRefused(chars);
  AfterSetting();
}

void CMaskedEdit::TypeText(const QString& text) {
  for (const QChar c : text) {
    Pull();
    maskedit::Effects effects;
    const std::string b = FromQt(QString(c));
    if (b.size() != 1) {
      QApplication::beep();  // no form in the code page of records
      continue;
    }
    model_.OnChar(b[0], effects);
    Push(effects);
  }
}

void CMaskedEdit::Paste() {
  if (isReadOnly()) return;
  Pull();
  maskedit::Effects effects;
  model_.OnPaste(FromQt(QApplication::clipboard()->text()), effects);
  Push(effects);
}

void CMaskedEdit::Cut() {
  if (isReadOnly()) return;
  Pull();
  maskedit::Effects effects;
  model_.OnCut(effects);
  Push(effects);
}

void CMaskedEdit::Clear() {
  if (isReadOnly()) return;
  Pull();
  maskedit::Effects effects;
  model_.OnClear(effects);
  Push(effects);
}

void CMaskedEdit::keyPressEvent(QKeyEvent* event) {
  if (isReadOnly()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (event->matches(QKeySequence::Paste)) return Paste();
  if (event->matches(QKeySequence::Cut)) return Cut();
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) return;  // no undo past the rules
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    Pull();
    maskedit::Effects effects;
    if (!model_.OnKeyDown(maskedit::Key::Delete, effects)) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    Push(effects);
    return;
  }
  if (event->key() == Qt::Key_Backspace && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    Pull();
    maskedit::Effects effects;
    model_.OnChar(maskedit::kBackspace, effects);
    Push(effects);
    return;
  }
  const QString text = event->text();
  const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
  if (printable) {
    TypeText(text);
    return;
  }
  QLineEdit::keyPressEvent(event);  // caret movement, selection, copy, Return, Tab ...
}

void CMaskedEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty() && !isReadOnly()) TypeText(event->commitString());
  event->accept();
}

void CMaskedEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const bool editable = !isReadOnly();
  menu.addAction(tr("Cu&t"), this, [this] { Cut(); })->setEnabled(editable && hasSelectedText());
  menu.addAction(tr("&Copy"), this, [this] { copy(); })->setEnabled(hasSelectedText());
  menu.addAction(tr("&Paste"), this, [this] { Paste(); })
      ->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
  menu.addAction(tr("&Delete"), this, [this] { Clear(); })->setEnabled(editable && hasSelectedText());
  menu.addSeparator();
  menu.addAction(tr("Select &All"), this, [this] { selectAll(); })->setEnabled(!QLineEdit::text().isEmpty());
  menu.exec(event->globalPos());
}

}  // namespace formet
