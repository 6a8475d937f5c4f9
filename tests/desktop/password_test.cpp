// The program's password: the stored hash and the two dialogs.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "kit/ui/masked_edit.h"
#include "modal_answers.h"
#include "qt_app.h"
#include "shell/password.h"
#include "shell/ui/password_dialogs.h"
#include "store/settings_store.h"

namespace formet {
namespace {

TEST(Password, StoredAsASaltedHashOnly) {
  MemorySettingsStore settings;
  PasswordStore store(settings);
  EXPECT_FALSE(store.IsSet());
  EXPECT_TRUE(store.Matches(""));
  ASSERT_TRUE(store.Set("Se\xE9" "cret Pw"));
  EXPECT_TRUE(store.IsSet());
  EXPECT_TRUE(store.Matches("Se\xE9" "cret Pw"));
  for (const char* wrong : {"se\xE9" "cret pw", "SE\xC9" "CRET PW", "Se\xE9" "cret Pw ", ""})
    EXPECT_FALSE(store.Matches(wrong)) << wrong;
  ASSERT_EQ(settings.Texts().size(), 1u);
  const std::string stored = settings.Texts().begin()->second;
  EXPECT_EQ(stored.find("cret"), std::string::npos);
  // The same password stored twice gives two different salts.
  PasswordStore again(settings);
  ASSERT_TRUE(again.Set("Se\xE9" "cret Pw"));
  EXPECT_NE(settings.Texts().begin()->second, stored);
}

TEST(Password, ChangeRules) {
  MemorySettingsStore settings;
  PasswordStore store(settings);
  EXPECT_EQ(ChangePassword(store, "", "MiXed", "MiXed"), PasswordChange::Changed);
  EXPECT_EQ(ChangePassword(store, "mixed", "new", "new"), PasswordChange::WrongOldPassword);
  EXPECT_TRUE(store.Matches("MiXed"));
  EXPECT_EQ(ChangePassword(store, "MiXed", "one", "two"), PasswordChange::Mismatch);
  EXPECT_TRUE(store.Matches("MiXed"));
  // An empty new password removes the lock.
  EXPECT_EQ(ChangePassword(store, "MiXed", "", ""), PasswordChange::Changed);
  EXPECT_FALSE(store.IsSet());
}

TEST(PasswordDialogs, ChangeWithoutPasswordHidesOldField) {
  test::QtApp();
  MemorySettingsStore settings;
  PasswordStore store(settings);
  CChangepassword dialog(store);
  dialog.show();
  EXPECT_TRUE(dialog.OldField()->isHidden());
  QTest::keyClicks(dialog.NewField(), QString(31, 'x'));
  EXPECT_EQ(dialog.NewField()->Text(), std::string(30, 'x'));  // at most 30 characters
  dialog.NewField()->SetText("");
  test::ModalAnswers answers;
  QTest::keyClicks(dialog.NewField(), "Pass");
  QTest::keyClicks(dialog.ConfirmField(), "Pass");
  dialog.accept();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "Your password has been changed.");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(store.Matches("Pass"));
}

TEST(PasswordDialogs, WrongOldPasswordEmptiesAllFields) {
  test::QtApp();
  MemorySettingsStore settings;
  PasswordStore store(settings);
  ASSERT_TRUE(store.Set("Right"));
  CChangepassword dialog(store);
  dialog.show();
  EXPECT_FALSE(dialog.OldField()->isHidden());
  test::ModalAnswers answers;
  QTest::keyClicks(dialog.OldField(), "right");
  QTest::keyClicks(dialog.NewField(), "New");
  QTest::keyClicks(dialog.ConfirmField(), "New");
  dialog.accept();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0].toStdString(), kOldPasswordIncorrect);
  EXPECT_EQ(answers.icons[0], QMessageBox::Warning);
  EXPECT_TRUE(dialog.isVisible());
  for (auto* f : {dialog.OldField(), dialog.NewField(), dialog.ConfirmField()}) EXPECT_TRUE(f->text().isEmpty());
  EXPECT_TRUE(store.Matches("Right"));
}

TEST(PasswordDialogs, PasswordRequiredRetriesUntilRight) {
  test::QtApp();
  MemorySettingsStore settings;
  PasswordStore store(settings);
  ASSERT_TRUE(store.Set("MiXed"));
  test::ModalAnswers answers;
  answers.Then([](QWidget* w) {
    auto* field = w->findChild<QLineEdit*>();
    QTest::keyClicks(field, "mixed");
    static_cast<QDialog*>(w)->accept();  // refused: a message, and the dialog stays
    EXPECT_TRUE(field->text().isEmpty());
    QTest::keyClicks(field, "MiXed");
    static_cast<QDialog*>(w)->accept();
  });
  DialogPasswordPrompt prompt;
  EXPECT_TRUE(prompt.AskPassword(store, nullptr));
  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[0], "Password Required");
  EXPECT_EQ(answers.texts[1].toStdString(), kPasswordIncorrect);
  EXPECT_EQ(answers.icons[0], QMessageBox::NoIcon);  // a plain box

  // Cancel ends it; with no password nothing is asked.
  answers.texts.clear();
  EXPECT_FALSE(prompt.AskPassword(store, nullptr));
  ASSERT_TRUE(store.Set(""));
  answers.texts.clear();
  EXPECT_TRUE(prompt.AskPassword(store, nullptr));
  EXPECT_TRUE(answers.texts.empty());
}

// Types text that QTest's ASCII key table does not cover.
void TypeUnicode(QWidget* w, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

// A password of characters outside Windows-1252 is refused with a message,
// never stored as the part that was taken (or as no password at all).
TEST(PasswordDialogs, CharactersOutsideTheCodePageAreRefused) {
  test::QtApp();
  MemorySettingsStore settings;
  PasswordStore store(settings);
  CChangepassword dialog(store);
  dialog.show();
  test::ModalAnswers answers;
  for (auto* field : {dialog.NewField(), dialog.ConfirmField()}) {
    TypeUnicode(field, QString::fromUtf8("\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C"));  // "пароль"
    EXPECT_TRUE(field->LastNote().contains("cannot be stored")) << field->LastNote().toStdString();
  }
  dialog.accept();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(answers.texts[0].startsWith(kPasswordNotTaken));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(store.IsSet());
  EXPECT_TRUE(settings.Texts().empty());  // nothing written

  // "abc" and a refused character: not "abc".
  QTest::keyClicks(dialog.NewField(), "abc");
  TypeUnicode(dialog.NewField(), QString::fromUtf8("\xD0\xBF"));
  QTest::keyClicks(dialog.ConfirmField(), "abc");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(store.IsSet());

  // At the start-up check the same: typing "abc" and a refused character
  // does not open a program locked with "abc".
  ASSERT_TRUE(store.Set("abc"));
  CEnterPassword enter(store);
  enter.show();
  QTest::keyClicks(enter.Field(), "abc");
  TypeUnicode(enter.Field(), QString::fromUtf8("\xD0\xBF"));
  enter.accept();
  EXPECT_TRUE(enter.isVisible());
  EXPECT_NE(enter.result(), QDialog::Accepted);
}

// A settings store whose writes fail.
class ReadOnlySettings : public MemorySettingsStore {
 public:
  bool WriteText(const std::string&, const std::string&, const std::string&) override { return false; }
};

TEST(PasswordDialogs, AFailedWriteIsReportedNotCalledSuccess) {
  test::QtApp();
  ReadOnlySettings settings;
  PasswordStore store(settings);
  EXPECT_EQ(ChangePassword(store, "", "secret", "secret"), PasswordChange::NotStored);
  CChangepassword dialog(store);
  dialog.show();
  test::ModalAnswers answers;
  QTest::keyClicks(dialog.NewField(), "secret");
  QTest::keyClicks(dialog.ConfirmField(), "secret");
  dialog.accept();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0].toStdString(), kPasswordNotStored);
  EXPECT_EQ(answers.icons[0], QMessageBox::Critical);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(store.IsSet());
}

}  // namespace
}  // namespace formet
