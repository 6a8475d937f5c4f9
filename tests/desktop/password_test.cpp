// The program's password: the stored hash and the two dialogs.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "app/password.h"
#include "app/ui/password_dialogs.h"
#include "appui/qt_app.h"
#include "modal_answers.h"
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
  EXPECT_EQ(dialog.NewField()->maxLength(), 30);
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

  // Cancel ends it; with no password nothing is asked.
  answers.texts.clear();
  EXPECT_FALSE(prompt.AskPassword(store, nullptr));
  ASSERT_TRUE(store.Set(""));
  answers.texts.clear();
  EXPECT_TRUE(prompt.AskPassword(store, nullptr));
  EXPECT_TRUE(answers.texts.empty());
}

}  // namespace
}  // namespace formet
