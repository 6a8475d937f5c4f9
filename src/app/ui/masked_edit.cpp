#include "app/ui/masked_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>
#include <algorithm>

#include "app/ui/qt_text.h"
#include "store/text_codec.h"

namespace formet {

namespace {

constexpr int kNoteMilliseconds = 5000;

std::string Utf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

CMaskedEdit::CMaskedEdit(QWidget* parent) : QLineEdit(parent) {
  // Text leaves the field by copy and cut only; drops come in through the rules.
  setDragEnabled(false);
  setAcceptDrops(true);
  model_.SetNumberLocale(UserNumberLocale());
  connect(this, &QLineEdit::textChanged, this, &CMaskedEdit::OnTextChanged);
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

// ---- model and widget ---------------------------------------------------------

void CMaskedEdit::Pull() {
  auto& s = model_.State();
  if (hasSelectedText()) {
    s.selStart = selectionStart();
    s.selEnd = selectionEnd();
  } else {
    s.SetCaret(cursorPosition());
  }
}

void CMaskedEdit::Push(const maskedit::Effects& effects, bool byUser) {
  const auto& s = model_.State();
  const QString text = ToQt(s.text);
  const bool changed = text != QLineEdit::text();
  if (changed) {
    pushing_ = true;
    QLineEdit::setText(text);
    pushing_ = false;
  }
  if (s.selStart != s.selEnd) setSelection(s.selStart, s.selEnd - s.selStart);
  else setCursorPosition(s.selEnd);
  if (effects.copied && echoMode() == QLineEdit::Normal) QApplication::clipboard()->setText(ToQt(effects.clipboard));
  if (effects.beep) QApplication::beep();
  ShowNote(effects.note);
  if (changed && byUser) emit textEdited(text);
}

template <class Action>
void CMaskedEdit::Edit(Action action) {
  if (!CanEdit()) return;
  Pull();
  const maskedit::EditState before = model_.State();
  maskedit::Effects effects;
  action(effects);
  if (model_.State().text != before.text) {
    undo_.push_back(before);
    redo_.clear();
    edited_ = true;
  }
  Push(effects);
}

std::string CMaskedEdit::Text() const { return model_.StoredText(); }

void CMaskedEdit::SetText(const std::string& win1252) {
  model_.SetStoredText(win1252);
  undo_.clear();
  redo_.clear();
  edited_ = false;
  lastNote_.clear();
  Push({}, false);
}

void CMaskedEdit::ShowNote(const std::string& note) {
  if (note.empty()) return;
  lastNote_ = ToQt(note);
  QToolTip::showText(mapToGlobal(QPoint(0, height())), lastNote_, this, QRect(), kNoteMilliseconds);
  emit noteShown(lastNote_);
}

// ---- size ---------------------------------------------------------------------

void CMaskedEdit::FitToContent() {
  fitted_ = true;
  const QFontMetrics fm(font());
  // The edit's own frame and margins, as the style draws them.
  const int frame = std::max(QLineEdit::sizeHint().width() - fm.horizontalAdvance(QLatin1Char('x')) * 17, 8);
  const int caret = fm.averageCharWidth();
  auto& rule = model_.Rule();
  QString sample;
  if (const auto* mask = dynamic_cast<const maskedit::MaskRule*>(&rule); mask && !mask->Mask().empty()) {
    sample = ToQt(mask->Mask()).replace('#', '0');
  } else if (const auto* number = dynamic_cast<const maskedit::NumericRule*>(&rule)) {
    sample = QString(number->WholeDigits() + number->Decimals(), '0');
    if (number->SignAllowed()) sample.prepend(QChar::fromLatin1(number->Locale().minus));
    if (number->Decimals() > 0) sample.append(QChar::fromLatin1(number->Locale().decimal));
  }
  if (!sample.isEmpty()) {
    preferredWidth_ = fm.horizontalAdvance(sample) + frame + caret;
    setMinimumWidth(preferredWidth_);
    setMaximumWidth(preferredWidth_);
  } else {
    const auto* text = dynamic_cast<const maskedit::TextRule*>(&rule);
    const int characters = std::clamp(text && text->MaxLength() > 0 ? text->MaxLength() : 30, 3, 42);
    preferredWidth_ = fm.averageCharWidth() * characters + frame + caret;
    setMinimumWidth(fm.averageCharWidth() * std::min(characters, 12) + frame + caret);
    setMaximumWidth(preferredWidth_);
  }
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  updateGeometry();
}

QSize CMaskedEdit::sizeHint() const {
  QSize hint = QLineEdit::sizeHint();
  if (preferredWidth_ > 0) hint.setWidth(preferredWidth_);
  return hint;
}

void CMaskedEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange && fitted_) FitToContent();
}

// ---- settings -----------------------------------------------------------------

void CMaskedEdit::AfterSetting() { Push({}, false); }

void CMaskedEdit::SetTextRule(int maxLength, const std::string& refused) {
  Pull();
  model_.SetTextRule(maxLength, refused);
  AfterSetting();
}
void CMaskedEdit::SetMask(const std::string& mask) {
  Pull();
  model_.SetMask(mask);
  AfterSetting();
}
void CMaskedEdit::SetNumberRule(int wholeDigits, int decimals) {
  Pull();
  model_.SetNumberRule(wholeDigits, decimals);
  AfterSetting();
}
void CMaskedEdit::SetWholeDigits(int n) {
  Pull();
  model_.SetWholeDigits(n);
  AfterSetting();
}
void CMaskedEdit::SetDecimals(int f) {
  Pull();
  model_.SetDecimals(f);
  AfterSetting();
}
void CMaskedEdit::SetSignAllowed(bool on) {
  Pull();
  model_.SetSignAllowed(on);
  AfterSetting();
}
void CMaskedEdit::SetMaxLength(int n) {
  Pull();
  model_.SetMaxLength(n);
  AfterSetting();
}
void CMaskedEdit::SetRefused(const std::string& chars) {
  Pull();
  model_.SetRefused(chars);
  AfterSetting();
}

// ---- what the user does ---------------------------------------------------------

void CMaskedEdit::TypeText(const QString& text) {
  for (const char32_t codePoint : text.toUcs4()) {
    std::string problem;
    const auto accepted = AcceptEnteredText(Utf8(QString::fromUcs4(&codePoint, 1)), &problem);
    if (!accepted || accepted->size() != 1) {
      QApplication::beep();
      ShowNote(problem);
      continue;
    }
    const char ch = (*accepted)[0];
    Edit([&](maskedit::Effects& effects) { model_.OnChar(ch, effects); });
  }
}

void CMaskedEdit::PasteText(const QString& given) {
  if (!CanEdit()) return;
  QString text = given;
  // A value copied from a spreadsheet cell or a line of text ends with a line break.
  if (text.endsWith(QLatin1String("\r\n"))) text.chop(2);
  else if (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
  std::string problem;
  const auto accepted = AcceptEnteredText(Utf8(text), &problem);
  if (!accepted) {
    QApplication::beep();
    ShowNote(problem);
    return;
  }
  Edit([&](maskedit::Effects& effects) { model_.OnPaste(*accepted, effects); });
}

void CMaskedEdit::PasteFrom(bool selection) {
  const QString text = QApplication::clipboard()->text(selection ? QClipboard::Selection : QClipboard::Clipboard);
  if (text.isEmpty() && !hasSelectedText()) return;
  PasteText(text);
}

void CMaskedEdit::Cut() {
  if (!hasSelectedText()) return;
  Edit([&](maskedit::Effects& effects) { model_.OnCut(effects); });
}

void CMaskedEdit::Clear() {
  Edit([&](maskedit::Effects& effects) { model_.OnClear(effects); });
}

void CMaskedEdit::DeleteSpan(int start, int end, bool copyFirst) {
  if (!CanEdit() || start >= end) return;
  setSelection(start, end - start);
  if (copyFirst && echoMode() == QLineEdit::Normal) QApplication::clipboard()->setText(selectedText());
  Edit([&](maskedit::Effects& effects) { model_.OnKeyDown(maskedit::Key::Delete, effects); });
}

void CMaskedEdit::Undo() {
  if (!CanEdit() || undo_.empty()) return;
  Pull();
  redo_.push_back(model_.State());
  model_.State() = undo_.back();
  undo_.pop_back();
  edited_ = true;
  Push({});
}

void CMaskedEdit::Redo() {
  if (!CanEdit() || redo_.empty()) return;
  Pull();
  undo_.push_back(model_.State());
  model_.State() = redo_.back();
  redo_.pop_back();
  edited_ = true;
  Push({});
}

void CMaskedEdit::OnTextChanged(const QString& text) {
  if (pushing_) return;
  const QString expected = ToQt(model_.Text());
  if (text == expected) return;
  // The span that changed: what the two texts do not share at either end.
  const qsizetype shorter = std::min(text.size(), expected.size());
  qsizetype head = 0;
  while (head < shorter && text[head] == expected[head]) ++head;
  qsizetype tail = 0;
  while (tail < shorter - head && text[text.size() - 1 - tail] == expected[expected.size() - 1 - tail]) ++tail;
  const QString inserted = text.mid(head, text.size() - tail - head);
  const int removedEnd = static_cast<int>(expected.size() - tail);
  pushing_ = true;
  QLineEdit::setText(expected);
  pushing_ = false;
  setSelection(static_cast<int>(head), removedEnd - static_cast<int>(head));
  if (inserted.isEmpty())
    Edit([&](maskedit::Effects& effects) { model_.OnKeyDown(maskedit::Key::Delete, effects); });
  else
    PasteText(inserted);
}

void CMaskedEdit::keyPressEvent(QKeyEvent* event) {
  if (!CanEdit()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const int key = event->key();
  const Qt::KeyboardModifiers mods = event->modifiers();
  if (event->matches(QKeySequence::Undo)) return Undo();
  if (event->matches(QKeySequence::Redo)) return Redo();
  if (event->matches(QKeySequence::Paste)) {
    // Ctrl+Shift+Insert pastes the selection of the X11 desktop.
    return PasteFrom(key == Qt::Key_Insert && mods == (Qt::ControlModifier | Qt::ShiftModifier));
  }
  if (event->matches(QKeySequence::Cut)) return Cut();
  if (event->matches(QKeySequence::DeleteEndOfLine)) return DeleteSpan(cursorPosition(), text().size(), true);
  if (event->matches(QKeySequence::DeleteCompleteLine)) return DeleteSpan(0, text().size(), true);
  const bool wordBack = event->matches(QKeySequence::DeleteStartOfWord) ||
                        (key == Qt::Key_Backspace && (mods & Qt::ControlModifier));
  if (wordBack || event->matches(QKeySequence::DeleteEndOfWord)) {
    if (!hasSelectedText()) wordBack ? cursorWordBackward(true) : cursorWordForward(true);
    if (hasSelectedText()) DeleteSpan(selectionStart(), selectionEnd(), false);
    return;
  }
  if (event->matches(QKeySequence::Delete) || key == Qt::Key_Delete) {
    Edit([&](maskedit::Effects& effects) { model_.OnKeyDown(maskedit::Key::Delete, effects); });
    return;
  }
  if (key == Qt::Key_Backspace) {
    Edit([&](maskedit::Effects& effects) { model_.OnChar(maskedit::kBackspace, effects); });
    return;
  }
  const QString text = event->text();
  const bool printable =
      !text.isEmpty() && text.at(0).isPrint() && !(mods & (Qt::ControlModifier | Qt::MetaModifier));
  if (printable) {
    TypeText(text);
    return;
  }
  // Caret movement, selection, copy, Return, Tab ... A change the line edit
  // would still make is caught by OnTextChanged.
  QLineEdit::keyPressEvent(event);
}

void CMaskedEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty() && CanEdit()) TypeText(event->commitString());
  event->accept();
}

void CMaskedEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
    // The X11 selection comes in as a paste at the pointer.
    if (CanEdit()) {
      setCursorPosition(cursorPositionAt(event->position().toPoint()));
      PasteFrom(true);
    }
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void CMaskedEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (CanEdit() && event->mimeData()->hasText()) event->acceptProposedAction();
  else event->ignore();
}

void CMaskedEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (CanEdit() && event->mimeData()->hasText()) {
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void CMaskedEdit::dropEvent(QDropEvent* event) {
  if (!CanEdit() || !event->mimeData()->hasText()) {
    event->ignore();
    return;
  }
  // Dropped text is copied in, never moved out of another field.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  setFocus(Qt::MouseFocusReason);
  setCursorPosition(cursorPositionAt(event->position().toPoint()));
  PasteText(event->mimeData()->text());
}

void CMaskedEdit::focusOutEvent(QFocusEvent* event) {
  if (!lastNote_.isEmpty() && QToolTip::isVisible() && QToolTip::text() == lastNote_) QToolTip::hideText();
  QLineEdit::focusOutEvent(event);
}

void CMaskedEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const bool editable = CanEdit();
  const bool shown = echoMode() == QLineEdit::Normal;  // a password is never copied out
  menu.addAction(tr("&Undo"), this, [this] { Undo(); })->setEnabled(editable && !undo_.empty());
  menu.addAction(tr("&Redo"), this, [this] { Redo(); })->setEnabled(editable && !redo_.empty());
  menu.addSeparator();
  menu.addAction(tr("Cu&t"), this, [this] { Cut(); })->setEnabled(editable && shown && hasSelectedText());
  menu.addAction(tr("&Copy"), this, [this] { copy(); })->setEnabled(shown && hasSelectedText());
  menu.addAction(tr("&Paste"), this, [this] { PasteFrom(false); })
      ->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
  menu.addAction(tr("&Delete"), this, [this] { Clear(); })->setEnabled(editable && hasSelectedText());
  menu.addSeparator();
  menu.addAction(tr("Select &All"), this, [this] { selectAll(); })->setEnabled(!QLineEdit::text().isEmpty());
  menu.exec(event->globalPos());
}

}  // namespace formet
