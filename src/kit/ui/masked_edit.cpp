#include "kit/ui/masked_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <algorithm>

#include "kit/ui/qt_text.h"
#include "store/text_codec.h"

namespace formet {

namespace {

// The colour of a refusal: the note's border and the field's marked frame.
const QColor kRefusalColour(0xc0, 0x39, 0x2b);

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

CMaskedEdit::~CMaskedEdit() {
  qApp->removeEventFilter(this);
  delete note_.data();
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
  // A note shown stays: the page writing a value back (an amount with its
  // two decimals) does not answer what the user was told.
  Push({}, false);
}

// ---- the note at the field ------------------------------------------------------

void CMaskedEdit::ShowNote(const std::string& note) {
  if (!note.empty()) ShowNote(ToQt(note));
}

void CMaskedEdit::ShowNote(const QString& note) {
  lastNote_ = note;
  if (!note_) {
    note_ = new QLabel(window());
    note_->setObjectName(QStringLiteral("FieldNote"));
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    // It shows, and nothing else: clicks fall through to what lies under it.
    note_->setAttribute(Qt::WA_TransparentForMouseEvents);
    note_->setFocusPolicy(Qt::NoFocus);
    note_->setStyleSheet(QStringLiteral("QLabel#FieldNote { background: #fff7d6; color: #2b1d00; "
                                        "border: 1px solid %1; border-radius: 3px; padding: 3px 6px; }")
                             .arg(kRefusalColour.name()));
  }
  note_->setText(lastNote_);
  if (!noteShown_) {
    noteShown_ = true;
    // The next key anywhere ends the note; moves of the window's parts move it.
    qApp->installEventFilter(this);
    update();
  }
  PlaceNote();
  emit noteShown(lastNote_);
}

const QWidget* CMaskedEdit::NoteLabel() const { return note_.data(); }

void CMaskedEdit::PlaceNote() {
  if (!note_ || !noteShown_) return;
  QWidget* top = window();
  if (note_->parentWidget() != top) note_->setParent(top);
  // On one line where it fits in the window (and a readable line); wrapped
  // below that. The frame and padding come from the style sheet.
  note_->ensurePolished();
  const QFontMetrics fm(note_->font());
  const QMargins margins = note_->contentsMargins();
  const int frame = margins.left() + margins.right() + 2 * note_->frameWidth() + 2 * note_->margin() + 16;
  const int room = std::max(top->width() - 8, fm.averageCharWidth() * 12);
  const int wanted = fm.horizontalAdvance(lastNote_) + frame;
  const int width = std::min({wanted, room, fm.averageCharWidth() * 80 + frame});
  note_->setFixedWidth(width);
  note_->setFixedHeight(note_->heightForWidth(width));
  // Under the field, or over it where the window ends below.
  QPoint at = top == this ? QPoint(0, 0) : mapTo(top, QPoint(0, height() + 2));
  if (top != this && at.y() + note_->height() > top->height())
    at.setY(std::max(0, mapTo(top, QPoint(0, 0)).y() - note_->height() - 2));
  at.setX(std::clamp(at.x(), 0, std::max(0, top->width() - note_->width())));
  note_->move(at);
  // A field scrolled out of sight has its note back when it is in sight again.
  note_->setVisible(!visibleRegion().isEmpty());
  note_->raise();
}

void CMaskedEdit::HideNote() {
  if (!noteShown_) return;
  noteShown_ = false;
  qApp->removeEventFilter(this);
  if (note_) note_->hide();
  update();
}

bool CMaskedEdit::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: {
      // The next key elsewhere ends the note (not Shift or Ctrl held down for
      // the next one). Typing on in this field leaves it, so that it is still
      // there when the user looks up, and so does Tab, which moves on (keys
      // the field passes on reach its parents while it has the focus).
      if (watched == this || QApplication::focusWidget() == this) break;
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_CapsLock: break;
        default: HideNote(); break;
      }
      break;
    }
    case QEvent::Move:
    case QEvent::Resize:
      // The field or one of the widgets it lies in moved: the note follows.
      if (watched->isWidgetType() && (watched == this || static_cast<QWidget*>(watched)->isAncestorOf(this)))
        PlaceNote();
      break;
    default: break;
  }
  return QLineEdit::eventFilter(watched, event);
}

void CMaskedEdit::hideEvent(QHideEvent* event) {
  HideNote();
  QLineEdit::hideEvent(event);
}

void CMaskedEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (!noteShown_) return;
  // The field whose typing was refused is marked while its note shows.
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kRefusalColour, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
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
  selectOnPress_ = false;  // the user is in the field now
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
  selectOnPress_ = false;
  if (!event->commitString().isEmpty() && CanEdit()) TypeText(event->commitString());
  event->accept();
}

// ---- focus and the mouse -------------------------------------------------------

bool CMaskedEdit::IsAmount() const {
  return dynamic_cast<const maskedit::NumericRule*>(&model_.Rule()) != nullptr;
}

void CMaskedEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  const Qt::FocusReason reason = event->reason();
  const bool returning =
      returnKeepsSelection_ && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason);
  returnKeepsSelection_ = false;
  if (!IsAmount() || returning) return;
  // What is typed next replaces the amount: a caret put inside "0.00" would
  // make 500 into 5000.00, or send the digits after the point.
  selectAll();
  // The first press into the field must not put the caret where it landed:
  // the press that gave the focus, or, where the focus came without the user
  // choosing the field (a window opening, the program), the first click into
  // it. After a key, or once the field was entered by Tab, a click moves the caret.
  selectOnPress_ = reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
                   reason != Qt::ShortcutFocusReason;
}

void CMaskedEdit::mousePressEvent(QMouseEvent* event) {
  if (selectOnPress_ && event->button() == Qt::LeftButton) {
    selectOnPress_ = false;
    pressSelected_ = true;
    selectAll();
    event->accept();
    return;
  }
  selectOnPress_ = false;
  QLineEdit::mousePressEvent(event);
}

void CMaskedEdit::mouseMoveEvent(QMouseEvent* event) {
  if (pressSelected_) {
    event->accept();
    return;
  }
  QLineEdit::mouseMoveEvent(event);
}

void CMaskedEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (pressSelected_ && event->button() == Qt::LeftButton) {
    pressSelected_ = false;
    event->accept();
    return;
  }
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
  selectOnPress_ = false;  // no press follows a drop
  setCursorPosition(cursorPositionAt(event->position().toPoint()));
  PasteText(event->mimeData()->text());
}

void CMaskedEdit::focusOutEvent(QFocusEvent* event) {
  // The note stays: what was refused is still to be read after the focus moved on.
  const Qt::FocusReason reason = event->reason();
  returnKeepsSelection_ = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
  selectOnPress_ = pressSelected_ = false;
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
