// The masked edit widget, the settings store and the company dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QTreeWidget>
#include <QLocale>
#include <QMimeData>
#include <QSignalSpy>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "kit/ui/masked_edit.h"
#include "kit/ui/window_fit.h"
#include "qt_app.h"
#include "records/ui/company_dialogs.h"
#include "screen_click.h"
#include "shell/ui/qt_settings_store.h"
#include "test_support.h"

namespace formet {
namespace {

// Types text that QTest's ASCII key table does not cover.
void TypeUnicode(QWidget* w, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

TEST(MaskedEditWidget, KeysPasteAndSetTextGoThroughTheRules) {
  test::QtApp();
  CMaskedEdit ssn;
  ssn.SetMask("###-##-####");
  QTest::keyClicks(&ssn, "123456789");
  EXPECT_EQ(ssn.Text(), "123-45-6789");
  ssn.SetText("");
  QApplication::clipboard()->setText("12a45");
  QTest::keyClick(&ssn, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(ssn.Text(), "12");

  CMaskedEdit amount;
  amount.SetNumberRule(9, 4);
  QTest::keyClicks(&amount, "1234567890");
  EXPECT_EQ(amount.Text(), "123456789");

  CMaskedEdit name;
  name.SetTextRule(20, "%'*\"+?><:\\");
  QTest::keyClicks(&name, "O'Brien: ");  // apostrophe and colon refused
  TypeUnicode(&name, QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
  EXPECT_EQ(name.Text(), "OBrien \xE9t\xE9");
  name.SetText("abc");
  TypeUnicode(&name, QString::fromUtf8("\xE4\xB8\xAD"));  // no Windows-1252 form: refused
  EXPECT_EQ(name.Text(), "abc");
  name.SetText(std::string(20, 'x'));
  EXPECT_EQ(name.Text(), std::string(20, 'x'));
}

// A record's value is shown as stored; only what the user types is filtered.
TEST(MaskedEditWidget, StoredValuesAreShownAsStored) {
  test::QtApp();
  CMaskedEdit name;
  name.SetTextRule(20, "%'*\"+?><:\\");
  name.SetText("O'Connor: Attn");
  EXPECT_EQ(name.text(), "O'Connor: Attn");
  EXPECT_EQ(name.Text(), "O'Connor: Attn");
  EXPECT_FALSE(name.IsEdited());
  name.end(false);
  QTest::keyClicks(&name, "s'");
  EXPECT_EQ(name.Text(), "O'Connor: Attns");
  EXPECT_TRUE(name.IsEdited());
}

// Restores the default locale when the test ends.
class LocaleScope {
 public:
  explicit LocaleScope(const QLocale& locale) : saved_(QLocale()) { QLocale::setDefault(locale); }
  ~LocaleScope() { QLocale::setDefault(saved_); }

 private:
  QLocale saved_;
};

// Records hold amounts with "." whatever the desktop's locale; only the
// field shows the locale's decimal separator.
TEST(MaskedEditWidget, AmountsUnderACommaDecimalLocale) {
  test::QtApp();
  LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
  CMaskedEdit amount;
  amount.SetNumberRule(9, 2);
  amount.SetText("12.50");
  EXPECT_EQ(amount.text(), "12,50");
  EXPECT_EQ(amount.Text(), "12.50");  // untouched, it reads back as stored
  for (const char* keys : {"1234.5", "1234,5"}) {
    amount.SetText("");
    QTest::keyClicks(&amount, keys);
    EXPECT_EQ(amount.text(), "1234,5") << keys;
    EXPECT_EQ(amount.Text(), "1234.5") << keys;
  }
  amount.SetText("-7.25");
  EXPECT_EQ(amount.text(), "-7,25");
  EXPECT_EQ(amount.Text(), "-7.25");
}

// Drags text over the widget and drops it there, as the window system does.
void SendDrop(QWidget* w, const QString& text, QPoint at) {
  QMimeData mime;
  mime.setText(text);
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &drop);
}

// Every way text enters or leaves the field goes through its rules: word and
// line deletions, drops, undo, programmatic inserts, the X11 selection.
TEST(MaskedEditWidget, NoWayAroundTheRules) {
  test::QtApp();
  CMaskedEdit ein;
  ein.SetMask("##-#######");
  ein.SetText("36-4125798");
  ein.show();
  ein.setCursorPosition(6);  // after "36-412"
  QTest::keyClick(&ein, Qt::Key_Backspace, Qt::ControlModifier);
  EXPECT_EQ(ein.Text(), "36-4125798");  // digits never shift: nothing from the middle
  EXPECT_TRUE(ein.LastNote().contains("from the end only")) << ein.LastNote().toStdString();
  ein.setCursorPosition(0);
  QTest::keyClick(&ein, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(ein.Text(), "36-4125798");
  for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::DeleteCompleteLine)) {
    ein.setCursorPosition(5);
    QTest::keySequence(&ein, keys);
    EXPECT_EQ(ein.Text(), "") << keys.toString().toStdString();  // the whole line ends at the end
    ein.SetText("36-4125798");
  }
  ein.end(false);
  QTest::keyClick(&ein, Qt::Key_Backspace, Qt::ControlModifier);  // the last word, at the end
  EXPECT_EQ(ein.Text(), "36-");
  QTest::keyClick(&ein, Qt::Key_Z, Qt::ControlModifier);  // undo brings back what the rules made
  EXPECT_EQ(ein.Text(), "36-4125798");
  ein.end(false);
  ein.insert("9");  // a programmatic insert goes through the rules too: the mask is complete
  EXPECT_EQ(ein.Text(), "36-4125798");

  CMaskedEdit name;
  name.SetTextRule(20, "%'*\"+?><:\\");
  name.show();
  SendDrop(&name, "Attn: Leasing", QPoint(2, 2));
  EXPECT_EQ(name.Text(), "Attn Leasing");
  EXPECT_TRUE(name.LastNote().contains(":"));
  name.end(false);
  SendDrop(&name, " Office and Grounds Dept", QPoint(name.width() - 2, 2));
  EXPECT_EQ(name.Text().size(), 20u);  // no more than the field holds
  name.SetText("Ann");
  name.end(false);
  name.insert("'s");
  EXPECT_EQ(name.Text(), "Anns");
  if (QApplication::clipboard()->supportsSelection()) {
    QApplication::clipboard()->setText("O'Neil: more than twenty characters", QClipboard::Selection);
    name.SetText("");
    QTest::mouseClick(&name, Qt::MiddleButton, {}, QPoint(2, name.height() / 2));
    EXPECT_EQ(name.Text(), "ONeil more than twen");
  }
}

// An amount field of any page or dialog (here an offset of the print
// options: 2 whole digits, 2 decimals, no sign) takes its whole text as the
// selection when it gains the focus, by a click as by Tab or from the
// program; a click into it once it has the focus, and any click into a text
// field, put the caret where they land.
TEST(MaskedEditWidget, AnAmountTakesItsWholeTextWhenItGainsTheFocus) {
  test::QtApp();
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* offset = new CMaskedEdit(&window);
  auto* name = new CMaskedEdit(&window);
  layout->addWidget(offset);
  layout->addWidget(name);
  offset->SetNumberRule(-2, 2);
  offset->SetText("0.25");
  name->SetTextRule(30, "");
  name->SetText("Acme");
  window.resize(300, 120);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  test::ClickAt(offset, QPoint(2, offset->height() / 2));  // before the 0
  ASSERT_EQ(QApplication::focusWidget(), offset);
  EXPECT_EQ(offset->selectedText(), "0.25");
  QTest::keyClicks(offset, "1.5");
  EXPECT_EQ(offset->Text(), "1.5");
  test::ClickAt(offset, QPoint(2, offset->height() / 2));  // it has the focus: the caret moves
  EXPECT_FALSE(offset->hasSelectedText());
  EXPECT_EQ(offset->cursorPosition(), 0);

  test::ClickAt(name, QPoint(name->width() - 4, name->height() / 2));  // a text field: the caret
  ASSERT_EQ(QApplication::focusWidget(), name);
  EXPECT_FALSE(name->hasSelectedText());
  QTest::keyClicks(name, " Co");
  EXPECT_EQ(name->Text(), "Acme Co");

  // Pressed, dragged and released on the amount: still the whole amount.
  const QPoint from = offset->mapTo(&window, QPoint(2, offset->height() / 2));
  QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, from);
  QTest::mouseMove(window.windowHandle(), from + QPoint(6, 0));
  QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, from + QPoint(6, 0));
  EXPECT_EQ(offset->selectedText(), "1.5");
  name->setFocus(Qt::TabFocusReason);
  offset->setFocus(Qt::OtherFocusReason);  // from the program, as a dialog opening on it
  EXPECT_EQ(offset->selectedText(), "1.5");
}

// Whether the field's frame is drawn in the refusal's red.
bool FrameMarked(QWidget& field) {
  const QColor c = field.grab().toImage().pixelColor(1, field.height() / 2);
  return c.red() > 150 && c.green() < 110 && c.blue() < 110;
}

// What a field refuses or cuts is said at the field, not just beeped: a note
// under it and a marked frame, both there while the user types on in the
// field and after the focus moved on, until a key is pressed elsewhere.
TEST(MaskedEditWidget, RefusalsAreShownAtTheField) {
  test::QtApp();
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* field = new CMaskedEdit(&window);
  auto* other = new QLineEdit(&window);
  layout->addWidget(field);
  layout->addWidget(other);
  layout->addStretch(1);
  window.resize(400, 200);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  CMaskedEdit& name = *field;
  name.SetTextRule(20, "%'*\"+?><:\\");
  QSignalSpy notes(&name, &CMaskedEdit::noteShown);
  EXPECT_FALSE(FrameMarked(name));
  QTest::keyClicks(&name, "O'Brien");
  EXPECT_EQ(name.Text(), "OBrien");
  ASSERT_EQ(notes.count(), 1);
  EXPECT_TRUE(name.LastNote().contains("does not take the character '"));
  ASSERT_TRUE(name.NoteShown());
  const auto* note = qobject_cast<const QLabel*>(name.NoteLabel());
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(note->text(), name.LastNote());
  EXPECT_TRUE(FrameMarked(name));
  // At the field: just under it, within the window, over whatever lies there.
  EXPECT_EQ(note->window(), &window);
  EXPECT_EQ(note->geometry().top(), name.geometry().bottom() + 3);
  EXPECT_TRUE(window.rect().contains(note->geometry()));
  EXPECT_TRUE(note->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_EQ(note->focusPolicy(), Qt::NoFocus);
  // It stays while the focus moves and time passes; the next key ends it.
  other->setFocus();
  QTest::qWait(50);
  EXPECT_TRUE(name.NoteShown());
  EXPECT_TRUE(note->isVisible());
  QTest::keyClick(other, Qt::Key_Shift);  // a modifier alone is not the next key
  EXPECT_TRUE(name.NoteShown());
  QTest::keyClick(other, Qt::Key_J);
  EXPECT_FALSE(name.NoteShown());
  EXPECT_FALSE(note->isVisible());
  EXPECT_FALSE(FrameMarked(name));
  // Shown again by the next refusal; the program writing the text back
  // (as a page does when a field is left) does not take it away, hiding does.
  QTest::keyClicks(&name, ":");
  EXPECT_TRUE(name.NoteShown());
  name.SetText("");
  EXPECT_TRUE(name.NoteShown());
  name.hide();
  EXPECT_FALSE(name.NoteShown());
  EXPECT_FALSE(note->isVisible());
  name.show();
  QTest::keyClicks(&name, "Christopher Montgomery-Whitley");
  EXPECT_EQ(name.Text(), "Christopher Montgome");
  EXPECT_TRUE(name.LastNote().contains("at most 20 characters"));
  name.SetText("");
  TypeUnicode(&name, QString::fromUtf8("\xE4\xB8\xAD"));
  EXPECT_EQ(name.Text(), "");
  EXPECT_TRUE(name.LastNote().contains("cannot be stored")) << name.LastNote().toStdString();

  CMaskedEdit ssn;
  ssn.SetMask("###-##-####");
  QTest::keyClicks(&ssn, "12a");
  EXPECT_EQ(ssn.Text(), "12");
  EXPECT_TRUE(ssn.LastNote().contains("Only digits"));
}

TEST(QtSettings, NumbersAndTextsPersist) {
  test::QtApp();
  QTemporaryDir dir;
  const QString file = dir.filePath("settings.ini");
  const std::string key = "SOFTWARE\\Quorvane\\Formet (2007)\\Last Active Company";
  {
    QtSettingsStore store(file);
    EXPECT_FALSE(store.ReadText(key, "Value"));
    store.WriteText(key, "Value", "Caf\xE9 O'Brien");
    store.WriteNumber("SOFTWARE\\Quorvane\\Formet (2007)\\Form W2 Print Options", "W2 Paper Type", 0);
  }
  QtSettingsStore store(file);
  EXPECT_EQ(store.ReadText(key, "Value"), "Caf\xE9 O'Brien");
  EXPECT_EQ(store.ReadNumber("SOFTWARE\\Quorvane\\Formet (2007)\\Form W2 Print Options", "W2 Paper Type"), 0u);
  EXPECT_FALSE(store.ReadNumber("SOFTWARE\\Quorvane\\Formet (2007)\\Form W2 Print Options", "W2 Print Target"));
}

TEST(QtSettings, ASettingsFileThatCannotBeWrittenSaysSo) {
  test::QtApp();
  QTemporaryDir dir;
  // Its name is taken by a folder: nothing can be written there, not even by
  // a user who may write anything.
  const QString file = dir.filePath("settings.ini");
  ASSERT_TRUE(QDir(dir.path()).mkdir("settings.ini"));
  QtSettingsStore store(file);
  EXPECT_FALSE(store.WriteNumber("SOFTWARE\\Quorvane\\Formet (2007)\\Form W2 Print Options", "W2 Paper Type", 0));
  EXPECT_EQ(store.Location(), file.toStdString());
}

TEST(CompanyDialogs, LegalNameFollowsUntilEdited) {
  test::QtApp();
  test::ScriptedUi ui;
  CNewCompanyDlg dialog(ui);
  QTest::keyClicks(dialog.EmployerField(), "Acme");
  EXPECT_EQ(dialog.LegalName(), "Acme");
  QTest::keyClicks(dialog.LegalField(), " Inc");
  QTest::keyClicks(dialog.EmployerField(), " West");
  EXPECT_EQ(dialog.EmployerName(), "Acme West");
  EXPECT_EQ(dialog.LegalName(), "Acme Inc");

  // OK with an empty employer name keeps the dialog open.
  test::ScriptedUi ui2;
  CNewCompanyDlg empty(ui2);
  empty.show();
  empty.accept();
  EXPECT_EQ(ui2.messages, std::vector<std::string>{"Please enter a name for the new company"});
  EXPECT_TRUE(empty.isVisible());
}

TEST(CompanyDialogs, SelectShowsSortedNamesFirstSelected) {
  test::QtApp();
  CSelectCompanyDlg dialog({"Zeta", "Acme", "Sample Company"});
  EXPECT_EQ(dialog.windowTitle(), "Select a Company ");
  ASSERT_EQ(dialog.List()->topLevelItemCount(), 3);
  EXPECT_EQ(dialog.List()->topLevelItem(0)->text(0), "Acme");
  EXPECT_EQ(dialog.Chosen(), 1u);  // position in the list handed in
  dialog.List()->setCurrentItem(dialog.List()->topLevelItem(2));
  EXPECT_EQ(dialog.Chosen(), 0u);
}

// A dialog with wrapped text is as tall as its rows need at its width: with a
// large font or a narrow window its text never runs over the fields below.
TEST(DialogFitting, WrappedTextNeverOverlapsTheRowsBelow) {
  KeepDialogsTallEnough(*qApp);
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* intro = new QLabel(QStringLiteral("A sentence that explains what the dialog does. ").repeated(30), &dialog);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  std::vector<QLineEdit*> rows;
  for (int i = 0; i < 10; ++i) layout->addWidget(rows.emplace_back(new QLineEdit(&dialog)));
  dialog.show();
  for (const int width : {720, 420, 900}) {
    dialog.resize(width, 50);  // far too short for its rows
    for (int i = 0; i < 10 && dialog.height() < layout->totalHeightForWidth(dialog.width()); ++i) QTest::qWait(10);
    QApplication::processEvents();
    SCOPED_TRACE(width);
    EXPECT_GE(dialog.height(), layout->totalHeightForWidth(dialog.width()));
    EXPECT_LE(intro->geometry().bottom(), rows.front()->geometry().top());
    EXPECT_LE(rows.back()->geometry().bottom(), dialog.height());
  }
}

}  // namespace
}  // namespace formet
