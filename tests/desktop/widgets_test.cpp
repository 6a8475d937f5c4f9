// The masked edit widget, the settings store and the company dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/masked_edit.h"
#include "app/ui/qt_settings_store.h"
#include "appui/qt_app.h"
#include "records/ui/company_dialogs.h"
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
  name.SetText(std::string(30, 'x'));
  EXPECT_EQ(name.Text(), std::string(20, 'x'));
  name.SetText("abc");
  TypeUnicode(&name, QString::fromUtf8("\xE4\xB8\xAD"));  // no Windows-1252 form: refused
  EXPECT_EQ(name.Text(), "abc");
  name.SetText(std::string(20, 'x'));
  EXPECT_EQ(name.Text(), std::string(20, 'x'));
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
  ASSERT_EQ(dialog.List()->count(), 3);
  EXPECT_EQ(dialog.List()->item(0)->text(), "Acme");
  EXPECT_EQ(dialog.Chosen(), 1u);  // position in the list handed in
  dialog.List()->setCurrentRow(2);
  EXPECT_EQ(dialog.Chosen(), 0u);
}

}  // namespace
}  // namespace formet
