// Start-up, the main window's pages and commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <set>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "forms/1099/ui/form1099_view.h"
#include "forms/form_review.h"
#include "forms/ui/review_page.h"
#include "forms/w2/ui/w2_view.h"
#include "kit/ui/help.h"
#include "kit/ui/help_window.h"
#include "kit/ui/masked_edit.h"
#include "kit/ui/pages.h"
#include "modal_answers.h"
#include "qt_app.h"
#include "records/contractors.h"
#include "records/employees.h"
#include "records/ui/company_dialogs.h"
#include "records/ui/company_page.h"
#include "records/ui/employee_page.h"
#include "shell/frame_rules.h"
#include "shell/password.h"
#include "shell/ui/formet_app.h"
#include "shell/ui/main_frame.h"
#include "shell/ui/navbar/gfx_out_bar_ctrl.h"
#include "shell/ui/password_dialogs.h"
#include "shell/ui/qt_ui_services.h"
#include "shell/ui/splash_wnd.h"
#include "store/company_database.h"
#include "store/data_folder.h"
#include "store/settings_store.h"
#include "test_support.h"
#include "url_catcher.h"

namespace formet {
namespace {

namespace fs = std::filesystem;

// Answers the start-up password check from a script and notes what the
// program showed when it was asked.
class ScriptedPrompt : public PasswordPrompt {
 public:
  explicit ScriptedPrompt(bool answer) : answer_(answer) {}
  bool AskPassword(PasswordStore&, QWidget* parent) override {
    ++asked;
    auto* frame = static_cast<CMainFrame*>(parent);
    frameVisible = frame && frame->isVisible();
    return answer_;
  }
  int asked = 0;
  bool frameVisible = false;

 private:
  bool answer_;
};

// `payees`: with an employee and a contractor (each with its form).
void MakeCompany(const fs::path& folder, const std::string& name, bool payees = false) {
  test::ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, folder);
  doc.BeginSession();
  ui.newCompany = NewCompanyEntry{name, ""};
  ASSERT_TRUE(doc.NewCompany());
  if (!payees) return;
  EmployeeRecord e;
  e.SetSocialSecurityNumber("412-55-1001");
  e.SetFirstName("Maria");
  e.SetLastName("Gonzalez");
  ASSERT_TRUE(AddEmployee(doc, ui, e, true, false, true).Saved());
  ContractorRecord c;
  c.SetIdentificationNumber("36-7788123");
  c.SetNameLine1("Northside Design LLC");
  ASSERT_TRUE(AddContractor(doc, ui, c, true, false, true).Saved());
}

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    MakeCompany(dir.path(), "Sample Company");
  }
  // Starts the program and lets the splash end with a key press.
  std::unique_ptr<FormetApp> StartAndPassSplash(ScriptedPrompt& prompt) {
    auto app = std::make_unique<FormetApp>(settings, dir.path(), &prompt);
    EXPECT_TRUE(app->Start());
    EXPECT_NE(app->Splash(), nullptr);
    EXPECT_EQ(prompt.asked, 0);  // not before the splash ends
    QTest::keyClick(app->Frame(), Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return prompt.asked == 1; }));
    return app;
  }

  test::TempDir dir;
  MemorySettingsStore settings;
};

TEST_F(DesktopTest, StartUpShowsWindowThenSplashThenPasswordThenWelcome) {
  ScriptedPrompt prompt(true);
  auto app = std::make_unique<FormetApp>(settings, dir.path(), &prompt);
  QSignalSpy ready(app.get(), &FormetApp::ready);
  ASSERT_TRUE(app->Start());
  auto* frame = app->Frame();
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->windowTitle(), "Sample Company - Formet (2007)");
  ASSERT_NE(app->Splash(), nullptr);
  EXPECT_EQ(app->Splash()->size(), QSize(409, 261));
  // The splash ends by itself after a second.
  QTRY_COMPARE_WITH_TIMEOUT(prompt.asked, 1, 3000);
  EXPECT_TRUE(prompt.frameVisible);
  QTRY_COMPARE(ready.count(), 1);
  EXPECT_EQ(frame->CurrentPage(), Page::Welcome);
}

TEST_F(DesktopTest, KeyPressEndsSplashAtOnce) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  EXPECT_EQ(app->Frame()->CurrentPage(), Page::Welcome);
}

TEST_F(DesktopTest, RefusedPasswordClosesTheProgram) {
  ScriptedPrompt prompt(false);
  auto app = std::make_unique<FormetApp>(settings, dir.path(), &prompt);
  QSignalSpy refused(app.get(), &FormetApp::refused);
  ASSERT_TRUE(app->Start());
  QTest::mouseClick(app->Frame(), Qt::LeftButton);
  QTRY_COMPARE(refused.count(), 1);
  QTRY_VERIFY(!app->Frame()->isVisible());
  EXPECT_EQ(app->Frame()->CurrentPage(), Page::Welcome);  // no company page was shown
}

TEST_F(DesktopTest, NoUsableCompanyEndsStartUpWithoutAWindow) {
  fs::remove(dir / "Sample Company.qdt");
  ScriptedPrompt prompt(true);
  test::ModalAnswers answers;
  FormetApp app(settings, dir.path(), &prompt);
  EXPECT_FALSE(app.Start());
  EXPECT_EQ(app.Frame(), nullptr);
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(answers.texts[0].startsWith("Formet could not find a company to open."));
}

TEST_F(DesktopTest, CompanyInfoShowsWelcomeFirstThenCompany) {
  MakeCompany(dir.path(), "Sample Company", true);
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  auto* bar = frame->NavigationBar();
  // Click "Employees", then "Company Info" through the navigation bar.
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->GetIconRect(1).center());
  EXPECT_EQ(frame->CurrentPage(), Page::Employees);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->GetIconRect(0).center());
  EXPECT_EQ(frame->CurrentPage(), Page::Company);
  frame->ShowNavigationItem(0);
  EXPECT_EQ(frame->CurrentPage(), Page::Company);
  const std::pair<int, Page> items[] = {{2, Page::Contractors}, {3, Page::W2},       {4, Page::W3},
                                        {5, Page::W2c},         {6, Page::Form1099}, {7, Page::Form1096},
                                        {8, Page::Review}};
  for (auto [item, page] : items) {
    frame->ShowNavigationItem(item);
    EXPECT_EQ(frame->CurrentPage(), page) << item;
  }
  PageRequests fresh;
  EXPECT_EQ(fresh.PageFor(0), Page::Welcome);
  EXPECT_EQ(fresh.PageFor(0), Page::Company);
}

// Typed W-2 amounts are not lost when the user leaves the page or the
// program: the page offers to save them first.
TEST_F(DesktopTest, EditsOnAFormPageAreOfferedForSavingBeforeLeaving) {
  MakeCompany(dir.path(), "Sample Company", true);
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  frame->ShowNavigationItem(3);
  ASSERT_EQ(frame->CurrentPage(), Page::W2);
  auto* wages = frame->PageWidget(Page::W2)->findChild<CMaskedEdit*>("Wages");
  ASSERT_NE(wages, nullptr);
  frame->activateWindow();
  wages->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return wages->hasFocus(); }));
  wages->selectAll();
  QTest::keyClicks(wages, "1234.5");
  {
    test::ModalAnswers answers;
    answers.ThenButton(QMessageBox::Yes);
    frame->ShowNavigationItem(4);
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], "Would you like to save the changes you have done to this employee before "
                                "navigating away from this form?");
  }
  EXPECT_EQ(frame->CurrentPage(), Page::W3);
  EXPECT_EQ(app->Doc().GetW2Forms()[0].Wages(), "1234.50");  // left, then saved
  EXPECT_EQ(frame->PageWidget(Page::W3)->findChild<QLineEdit*>("Box1")->text(), "1234.50");

  frame->ShowNavigationItem(3);
  QTest::keyClicks(wages, "9");
  {
    test::ModalAnswers answers;
    answers.ThenButton(QMessageBox::No);
    EXPECT_TRUE(frame->close());
    ASSERT_EQ(answers.texts.size(), 1u);
  }
  CompanyDatabase file;
  ASSERT_EQ(file.Open(dir / "Sample Company.qdt"), 0);
  std::vector<W2Record> stored;
  ASSERT_EQ(file.ReadW2Forms(stored), 0);
  EXPECT_EQ(stored[0].Wages(), "1234.50");
}

// Before the company closes (the window closed, another company opened) the
// form page's question offers Cancel, which keeps the window, the company
// and the typed amount.
TEST_F(DesktopTest, ClosingWithFormEditsOffersCancel) {
  MakeCompany(dir.path(), "Sample Company", true);
  MakeCompany(dir.path(), "Acme");
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  frame->ShowNavigationItem(3);
  auto* wages = frame->PageWidget(Page::W2)->findChild<CMaskedEdit*>("Wages");
  ASSERT_NE(wages, nullptr);
  frame->activateWindow();
  wages->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return wages->hasFocus(); }));
  wages->selectAll();
  QTest::keyClicks(wages, "777");
  const QString question =
      "Would you like to save the changes you have done to this employee before navigating away from this form?";
  QMessageBox::StandardButtons offered;
  const auto cancel = [&offered](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    offered = box->standardButtons();
    box->button(QMessageBox::Cancel)->click();
  };
  {
    test::ModalAnswers answers;
    answers.Then(cancel);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], question);
  }
  EXPECT_EQ(offered, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->CurrentPage(), Page::W2);
  EXPECT_EQ(wages->Text(), "777.00");
  {
    // Opening another company: Cancel comes before the list of companies.
    test::ModalAnswers answers;
    answers.Then(cancel);
    frame->Action(command::kOpenCompany)->trigger();
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0], question);
  }
  EXPECT_EQ(app->Doc().CompanyName(), "Sample Company");
  EXPECT_EQ(wages->Text(), "777.00");
  // Going to another page still asks Yes or No only.
  {
    test::ModalAnswers answers;
    answers.Then([&offered](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      offered = box->standardButtons();
      box->button(QMessageBox::Yes)->click();
    });
    frame->ShowNavigationItem(4);
    ASSERT_EQ(answers.texts.size(), 1u);
  }
  EXPECT_EQ(offered, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(app->Doc().GetW2Forms()[0].Wages(), "777.00");
  {
    test::ModalAnswers answers;
    EXPECT_TRUE(frame->close());  // nothing left to ask
    EXPECT_TRUE(answers.texts.empty());
  }
}

// Every page is reached and used from the keyboard: the Go menu's Ctrl+1 ...
// in the navigation bar's order, F6 to the navigation bar and its arrows
// and Enter, and Tab through every control of each page.
TEST_F(DesktopTest, EveryPageIsReachedAndUsedByKeyboard) {
  MakeCompany(dir.path(), "Sample Company", true);
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  const auto press = [](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* to = QApplication::focusWidget();
    ASSERT_NE(to, nullptr);
    QTest::keyClick(to, static_cast<Qt::Key>(key), modifiers);
  };
  auto* bar = frame->NavigationBar();
  // The menu lists the bar's items in its order.
  ASSERT_EQ(bar->GetItemCount(0), kNavigationItems);
  for (int item = 0; item < kNavigationItems; ++item) {
    QAction* action = frame->PageAction(item);
    ASSERT_NE(action, nullptr) << item;
    EXPECT_EQ(action->text(), QString("&%1 %2").arg(item + 1).arg(bar->GetItemText(0, item)));
    EXPECT_EQ(action->shortcut(), QKeySequence(QString("Ctrl+%1").arg(item + 1)));
  }
  // The welcome page came first at start-up: Company Info now shows the company.
  const Page order[] = {Page::Company, Page::Employees, Page::Contractors, Page::W2,    Page::W3,
                        Page::W2c,     Page::Form1099,  Page::Form1096,   Page::Review};
  const int keys[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  for (size_t i = 0; i < std::size(order); ++i) {
    press(Qt::Key_0 + keys[i], Qt::ControlModifier);
    ASSERT_EQ(frame->CurrentPage(), order[i]) << i;
    QWidget* page = frame->PageWidget(order[i]);
    // The focus goes into the page, to a control Tab reaches.
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << i;
    EXPECT_TRUE(page->isAncestorOf(focus)) << i << " " << focus->metaObject()->className();

    // Tab reaches every control of the page that a mouse could use (the
    // read-only fields that show the payer and payee are only for copying).
    std::vector<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
      if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isReadOnly()) continue;
      const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                           (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w)) ||
                           qobject_cast<QComboBox*>(w);
      if (control && w->isVisibleTo(page) && w->isEnabled() && !qobject_cast<QLineEdit*>(w->parentWidget()) &&
          !qobject_cast<QComboBox*>(w->parentWidget()))
        controls.push_back(w);
    }
    std::set<QWidget*> reached;
    for (size_t step = 0; step < 2 * controls.size() + 4; ++step) {
      reached.insert(QApplication::focusWidget());
      press(Qt::Key_Tab);
    }
    for (QWidget* w : controls)
      EXPECT_TRUE(reached.count(w)) << i << ": " << w->metaObject()->className() << " "
                                    << w->objectName().toStdString();
  }

  // F6 goes to the navigation bar, where Up, Down and Enter show a page;
  // F6 again goes back into the page.
  press(Qt::Key_F6);
  ASSERT_EQ(QApplication::focusWidget(), bar);
  EXPECT_EQ(bar->GetFocusItem(), 0);  // the item of the page shown (Company Info)
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  EXPECT_EQ(bar->GetFocusItem(), 2);
  press(Qt::Key_Return);
  EXPECT_EQ(frame->CurrentPage(), Page::Contractors);
  EXPECT_EQ(QApplication::focusWidget(), bar);  // the bar keeps the keyboard
  press(Qt::Key_End);
  press(Qt::Key_Return);
  EXPECT_EQ(frame->CurrentPage(), Page::Review);
  press(Qt::Key_Up);
  press(Qt::Key_Space);
  EXPECT_EQ(frame->CurrentPage(), Page::Form1096);
  press(Qt::Key_Home);
  press(Qt::Key_Return);
  EXPECT_EQ(frame->CurrentPage(), Page::Company);
  press(Qt::Key_F6);
  EXPECT_TRUE(frame->PageWidget(Page::Company)->isAncestorOf(QApplication::focusWidget()));
}

// The form pages of a company without payees say so and show the page where
// the payees are added.
TEST_F(DesktopTest, FormPagesSendAnEmptyCompanyToItsPayees) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  const std::pair<int, Page> items[] = {{3, Page::Employees}, {4, Page::Employees}, {6, Page::Contractors},
                                        {7, Page::Contractors}};
  for (auto [item, page] : items) {
    test::ModalAnswers answers;
    answers.ThenButton(QMessageBox::Ok);
    frame->ShowNavigationItem(item);
    EXPECT_EQ(frame->CurrentPage(), page) << item;
    ASSERT_EQ(answers.texts.size(), 1u) << item;
    EXPECT_EQ(answers.texts[0], page == Page::Employees ? "There are no employees in this company"
                                                        : "There are no contractors in this company");
  }
}

TEST_F(DesktopTest, SaveAndDeleteEnabling) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  auto* save = frame->Action(command::kSaveCompany);
  auto* remove = frame->Action(command::kDeleteCompany);
  frame->UpdateCommands();
  EXPECT_FALSE(save->isEnabled());
  EXPECT_FALSE(remove->isEnabled());  // only the Sample Company exists
  EXPECT_EQ(save->shortcut(), QKeySequence("Ctrl+S"));
  // The prior-year import and the data imports are wired.
  for (int id : {command::kImportClients, command::kImportW2, command::kImport1099})
    EXPECT_TRUE(frame->Action(id)->isEnabled()) << id;
  EXPECT_EQ(remove->shortcut(), QKeySequence("Ctrl+D"));

  app->Doc().GetCompany().SetCity("Springfield");
  app->Doc().SetModified(true);
  app->Doc().AddPendingChange({ChangeKind::Company, ChangeOp::Update, -1, 1}, false);
  MakeCompany(dir.path(), "Acme");
  frame->UpdateCommands();
  EXPECT_TRUE(save->isEnabled());
  EXPECT_TRUE(remove->isEnabled());
  save->trigger();
  EXPECT_FALSE(app->Doc().IsModified());
  frame->UpdateCommands();
  EXPECT_FALSE(save->isEnabled());
}

TEST_F(DesktopTest, MinimumWindowSize) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  frame->showNormal();
  frame->resize(300, 200);
  EXPECT_GE(frame->width(), 632);
  EXPECT_GE(frame->height(), 400);
}

TEST_F(DesktopTest, NewCompanyThroughTheDialogs) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  test::ModalAnswers answers;
  answers.Then([](QWidget* dialog) {
    const auto fields = dialog->findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 2);
    QTest::keyClicks(fields[0], "Acme: Supply");  // the colon is refused as it is typed
    EXPECT_EQ(fields[1]->text(), "Acme Supply");   // the legal name follows
    static_cast<QDialog*>(dialog)->accept();
  });
  app->Frame()->Action(command::kNewCompany)->trigger();
  EXPECT_TRUE(fs::exists(dir / "Acme Supply.qdt"));
  EXPECT_EQ(app->Frame()->windowTitle(), "Acme Supply - Formet (2007)");
  EXPECT_EQ(app->Frame()->CurrentPage(), Page::Company);

  // Closing the program remembers the company.
  app->Frame()->close();
  EXPECT_EQ(settings.ReadText("SOFTWARE\\Quorvane\\Formet (2007)\\Last Active Company", "Value"), "Acme Supply");
}

TEST_F(DesktopTest, ClosingAsksAboutUnsavedChanges) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  app->Doc().SetModified(true);
  test::ModalAnswers answers;
  answers.ThenButton(QMessageBox::Cancel);
  app->Frame()->close();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "Do you want to save the changes you made to this Company?");
  EXPECT_TRUE(app->Frame()->isVisible());
  answers.ThenButton(QMessageBox::No);
  app->Frame()->close();
  EXPECT_FALSE(app->Frame()->isVisible());
}


// Help opens the guide installed beside the program in the program's own
// help window; the web and order items lead to real pages in the desktop's
// browser, never to a placeholder address.
TEST_F(DesktopTest, HelpAndWebItemsOpenRealPages) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  test::UrlCatcher catcher;
  app->Frame()->Action(command::kHelp)->trigger();
  CHelpWindow* help = CHelpWindow::Instance();
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->Browser()->source().fileName(), "formet2007.html");
  EXPECT_TRUE(QFileInfo(help->Browser()->source().toLocalFile()).isFile());
  EXPECT_TRUE(catcher.urls.isEmpty());
  for (int id : {command::kWeb, command::kOrderW2, command::kOrder1099}) app->Frame()->Action(id)->trigger();
  ASSERT_EQ(catcher.urls.size(), 3);
  EXPECT_TRUE(catcher.urls[0].isLocalFile());
  EXPECT_EQ(catcher.urls[0].fileName(), "formet2007.html");
  EXPECT_TRUE(QFileInfo(catcher.urls[0].toLocalFile()).isFile()) << catcher.urls[0].toString().toStdString();
  for (int i : {1, 2}) EXPECT_EQ(catcher.urls[i].host(), "www.irs.gov");

  // The welcome page's links go the same ways.
  auto* welcome = app->Frame()->PageWidget(Page::Welcome);
  const auto labels = welcome->findChildren<QLabel*>();
  int links = 0;
  for (auto* label : labels) {
    for (const char* link : {"guide", "order-w2", "order-1099"}) {
      if (!label->text().contains(QString("href='%1'").arg(link))) continue;
      ++links;
      emit label->linkActivated(link);
    }
  }
  EXPECT_EQ(links, 3);
  ASSERT_EQ(catcher.urls.size(), 6);
  EXPECT_EQ(catcher.urls[3].fileName(), "formet2007.html");
  EXPECT_EQ(catcher.urls[4].host(), "www.irs.gov");

  // A section of a page is opened at its anchor, in the help window.
  EXPECT_TRUE(OpenHelpPage("formet2007.html#password"));
  EXPECT_EQ(help->Browser()->source().fragment(), "password");
  EXPECT_TRUE(OpenHelpPageInBrowser("formet2007.html#password"));
  EXPECT_EQ(catcher.urls.back().fragment(), "password");
  help->close();
}

TEST_F(DesktopTest, AMissingHelpPageIsReported) {
  test::UrlCatcher catcher;
  test::ModalAnswers answers;
  EXPECT_FALSE(OpenHelpPage("NoSuchPage.html"));
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(answers.texts[0].startsWith("The help page NoSuchPage.html could not be found."));
  EXPECT_TRUE(catcher.urls.isEmpty());
}


CMaskedEdit* CompanyField(CMainFrame* frame, const char* column) {
  auto* page = qobject_cast<CCompanyView*>(frame->PageWidget(Page::Company));
  return page ? page->Sheet()->findChild<CMaskedEdit*>(column) : nullptr;
}

// Edits on the company setup that were not applied with Update are asked
// about before the company closes, and Save takes them too.
TEST_F(DesktopTest, UnappliedCompanySetupEditsAreAskedAbout) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  frame->ShowPage(Page::Company);
  auto* city = CompanyField(frame, "City");
  ASSERT_NE(city, nullptr);
  EXPECT_FALSE(frame->Action(command::kSaveCompany)->isEnabled());
  QTest::keyClicks(city, "Springfield");
  EXPECT_TRUE(frame->Action(command::kSaveCompany)->isEnabled());  // at once, not when a menu opens

  test::ModalAnswers answers;
  answers.ThenButton(QMessageBox::Cancel);
  frame->close();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "Save the changes to the company setup?");
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(city->Text(), "Springfield");  // still there to work on

  // Yes applies them as Update does (without its own question).
  answers.ThenButton(QMessageBox::Yes);
  frame->close();
  EXPECT_FALSE(frame->isVisible());
  EXPECT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(app->Doc().GetCompany().City(), "Springfield");
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Sample Company.qdt"), 0);
  CompanyRecord stored;
  ASSERT_EQ(db.ReadCompany(stored), 0);
  EXPECT_EQ(stored.City(), "Springfield");
}

TEST_F(DesktopTest, SaveTakesTheCompanySetupEditsAndNoDropsThem) {
  MakeCompany(dir.path(), "Acme");
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  frame->ShowPage(Page::Company);
  QTest::keyClicks(CompanyField(frame, "City"), "Peoria");
  frame->Action(command::kSaveCompany)->trigger();
  EXPECT_EQ(app->Doc().GetCompany().City(), "Peoria");
  EXPECT_FALSE(frame->Action(command::kSaveCompany)->isEnabled());

  // No drops the edits; the other company opens.
  QTest::keyClicks(CompanyField(frame, "City"), "ville");
  test::ModalAnswers answers;
  answers.ThenButton(QMessageBox::No);
  answers.Then([](QWidget* w) {
    auto* dialog = qobject_cast<CSelectCompanyDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    dialog->List()->setCurrentItem(dialog->List()->topLevelItem(0));  // Acme
    dialog->accept();
  });
  frame->Action(command::kOpenCompany)->trigger();
  ASSERT_EQ(answers.texts.size(), 2u);
  EXPECT_EQ(answers.texts[0], "Save the changes to the company setup?");
  EXPECT_EQ(app->Doc().CompanyName(), "Acme");
  CompanyDatabase db;
  ASSERT_EQ(db.Open(dir / "Sample Company.qdt"), 0);
  CompanyRecord stored;
  ASSERT_EQ(db.ReadCompany(stored), 0);
  EXPECT_EQ(stored.City(), "Peoria");
}

// Commands follow every change of the document's state at once: a shortcut
// never acts on a stale enabled state.
TEST_F(DesktopTest, CommandStatesFollowTheDocument) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  auto* save = frame->Action(command::kSaveCompany);
  auto* remove = frame->Action(command::kDeleteCompany);
  EXPECT_FALSE(remove->isEnabled());
  test::ModalAnswers answers;
  answers.Then([](QWidget* dialog) {
    QTest::keyClicks(dialog->findChildren<QLineEdit*>()[0], "Acme");
    static_cast<QDialog*>(dialog)->accept();
  });
  frame->Action(command::kNewCompany)->trigger();
  EXPECT_EQ(app->Doc().CompanyName(), "Acme");
  EXPECT_TRUE(remove->isEnabled());  // a company other than the Sample Company exists now

  app->Doc().SetModified(true);
  EXPECT_TRUE(save->isEnabled());
  app->Doc().SetModified(false);
  EXPECT_FALSE(save->isEnabled());
}

// Yes must be chosen to delete: No is the default, and the question names
// what goes.
TEST_F(DesktopTest, DestructiveQuestionsDefaultToNoAndNameWhatGoes) {
  MakeCompany(dir.path(), "Acme");
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  EmployeeRecord e;
  e.SetSocialSecurityNumber("412-55-1002");
  e.SetFirstName("James");
  e.SetLastName("O'Connor");
  app->Doc().GetEmployees().push_back(e);
  app->Doc().GetEmployees().back().EmployeeUniqueID = 1;
  app->Doc().RefreshAllViews();
  frame->ShowPage(Page::Employees);
  auto* page = qobject_cast<CEmployeeView*>(frame->PageWidget(Page::Employees));
  page->List()->setCurrentIndex(page->List()->model()->index(0, 0));
  test::ModalAnswers answers;
  page->DeleteButton()->click();  // answered with Escape: No
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "Are you sure you want to delete this record?\n\nJames O'Connor (412-55-1002)");
  EXPECT_EQ(answers.defaults[0], QMessageBox::No);
  EXPECT_EQ(app->Doc().GetEmployees().size(), 1u);

  // Company > Delete: the picker says what it is for; the question names the company.
  answers.Then([](QWidget* w) {
    auto* dialog = qobject_cast<CSelectCompanyDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text(), "&Delete");
    dialog->accept();  // Acme, the only one offered
  });
  frame->Action(command::kDeleteCompany)->trigger();
  ASSERT_EQ(answers.texts.size(), 3u);
  EXPECT_EQ(answers.texts[2], "Are you sure you want to delete this company?\n\nAcme");
  EXPECT_EQ(answers.defaults[1], QMessageBox::No);
  EXPECT_TRUE(fs::exists(dir / "Acme.qdt"));
}

// Check messages come in plain boxes, the empty employer name as an error.
TEST_F(DesktopTest, MessageIcons) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  test::ModalAnswers answers;
  answers.Then([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });  // an empty employee
  answers.Then([](QWidget* w) { static_cast<QMessageBox*>(w)->accept(); });
  answers.Then([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });   // the dialog stayed open
  qobject_cast<CEmployeeView*>(frame->PageWidget(Page::Employees))->NewButton()->click();
  ASSERT_EQ(answers.texts.size(), 3u);
  EXPECT_EQ(answers.texts[1], "Please fill in the 'Employee's social security number' Field");
  EXPECT_EQ(answers.icons[0], QMessageBox::NoIcon);

  frame->ShowPage(Page::Company);
  auto* name = CompanyField(frame, "EmployerName");
  name->selectAll();
  QTest::keyClick(name, Qt::Key_Delete);
  qobject_cast<CCompanyView*>(frame->PageWidget(Page::Company))->UpdateButton()->click();
  ASSERT_EQ(answers.texts.size(), 4u);
  EXPECT_EQ(answers.icons[1], QMessageBox::Critical);

  QtUiServices desktopUi;
  CNewCompanyDlg dialog(desktopUi);
  dialog.show();
  dialog.accept();
  ASSERT_EQ(answers.texts.size(), 5u);
  EXPECT_EQ(answers.texts[4], "Please enter a name for the new company");
  EXPECT_EQ(answers.icons[2], QMessageBox::NoIcon);
}

// A key pressed to end the splash ends it and does nothing else.
TEST_F(DesktopTest, TheKeyThatEndsTheSplashFiresNoShortcut) {
  ScriptedPrompt prompt(true);
  auto app = std::make_unique<FormetApp>(settings, dir.path(), &prompt);
  ASSERT_TRUE(app->Start());
  auto* frame = app->Frame();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  ASSERT_EQ(prompt.asked, 0);
  test::ModalAnswers answers;
  QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);  // Company > New's shortcut
  EXPECT_TRUE(QTest::qWaitFor([&] { return prompt.asked == 1; }));
  QTest::qWait(100);
  EXPECT_TRUE(answers.texts.empty()) << (answers.texts.empty() ? "" : answers.texts[0].toStdString());  // no New Company dialog
  // Afterwards the shortcut works again.
  QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_EQ(answers.texts[0], "New Company");
}

TEST_F(DesktopTest, SplashIsCentredOnTheScreen) {
  QWidget window;
  window.setGeometry(10, 10, 500, 300);  // not yet its final size
  window.show();
  auto* splash = new CSplashWnd(&window);
  splash->ShowCentred();
  const QPoint screenCentre = window.screen()->availableGeometry().center();
  EXPECT_LE((splash->geometry().center() - screenCentre).manhattanLength(), 2);
  splash->close();
}

// At the smallest window and with a 1.5 times larger font every field shows
// its whole value, tall pages scroll, and no navigation label sits under the
// scroll arrow.
TEST_F(DesktopTest, FieldsFitAtTheSmallestSizeWithALargeFont) {
  const QFont saved = QApplication::font();
  QFont large = saved;
  large.setPointSizeF(saved.pointSizeF() * 1.5);
  QApplication::setFont(large);
  {
    ScriptedPrompt prompt(true);
    auto app = StartAndPassSplash(prompt);
    auto* frame = app->Frame();
    frame->showNormal();
    frame->resize(CMainFrame::kMinimumWidth, CMainFrame::kMinimumHeight);
    auto& company = app->Doc().GetCompany();
    company.SetZip("62701-1234");
    company.SetFormW3Telephone("(217) 555-0100");
    company.SetFormW3Fax("(217) 555-0199");
    company.SetForm1096Telephone("(217) 555-0100");
    company.SetEmployerIdentificationNumber("36-4125798");
    company.SetFormW3OtherEIN("36-4125799");
    company.SetSocialSecurityNumber("412-55-1001");
    company.SetFormW3IncomeTaxWithHeld("-123456789.00");
    company.SetFormW3Email("payroll@example.com");
    app->Doc().RefreshAllViews();
    frame->ShowPage(Page::Company);
    auto* sheet = qobject_cast<CCompanyView*>(frame->PageWidget(Page::Company))->Sheet();
    for (int tab = 0; tab < sheet->count(); ++tab) {
      sheet->setCurrentIndex(tab);
      QApplication::processEvents();
      auto* area = qobject_cast<QScrollArea*>(sheet->widget(tab));
      ASSERT_NE(area, nullptr);
      for (auto* edit : area->widget()->findChildren<CMaskedEdit*>()) {
        if (edit->text().isEmpty() || edit->text().size() > 20) continue;
        // The caret at the end, the first character still at the left edge:
        // nothing scrolled out of sight.
        edit->end(false);
        EXPECT_EQ(edit->cursorPositionAt(QPoint(3, edit->height() / 2)), 0)
            << edit->objectName().toStdString() << " " << edit->width();
      }
    }
    // The first tab holds more than fits: it scrolls instead of crushing its rows.
    sheet->setCurrentIndex(0);
    QApplication::processEvents();
    auto* area = qobject_cast<QScrollArea*>(sheet->widget(0));
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    for (auto* label : area->widget()->findChildren<QLabel*>())
      EXPECT_GE(label->height(), label->sizeHint().height()) << label->text().toStdString();

    auto* bar = frame->NavigationBar();
    ASSERT_TRUE(bar->IsDownArrowShown());
    for (int item : bar->ShownItemIndexes())
      EXPECT_FALSE(bar->GetLabelRect(item).intersects(bar->GetDownArrowRect())) << item;
  }
  QApplication::setFont(saved);
}

// The desktop finds the user's data folder through the standard paths; the
// command line, without Qt, through the same rule.
TEST(DataFolderOfTheDesktop, StandardPathsAndTheCommandLineAgree) {
  test::QtApp();
  const QString org = QCoreApplication::organizationName(), name = QCoreApplication::applicationName();
  QCoreApplication::setOrganizationName("Quorvane");
  QCoreApplication::setApplicationName("Formet (2007)");
  EXPECT_EQ(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString(),
            UserDataFolder().string());
  QCoreApplication::setOrganizationName(org);
  QCoreApplication::setApplicationName(name);
}

// The Review page lists the rows the review's rules give (formet-cli review
// prints the same), sorts by a heading, and opens a form on its page with a
// double-click or Enter.
TEST_F(DesktopTest, ReviewPageListsEveryFormAndOpensItOnItsPage) {
  fs::copy_file(fs::path(FORMET_BIN_DIR) / "DatabaseFiles" / "Sample Company.qdt", dir / "Sample Company.qdt",
                fs::copy_options::overwrite_existing);
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  auto* frame = app->Frame();
  CGlobalDoc& doc = app->Doc();
  frame->ShowNavigationItem(kNavigationItems - 1);
  ASSERT_EQ(frame->CurrentPage(), Page::Review);
  auto* page = static_cast<CReviewPage*>(frame->PageWidget(Page::Review));
  QTableView* table = page->Table();
  const std::vector<ReviewRow> expected = ReviewForms(ReviewSourceOf(doc));
  ASSERT_EQ(table->model()->rowCount(), static_cast<int>(expected.size()));
  ASSERT_EQ(expected.size(), 7u);
  std::set<std::string> seen;
  for (int r = 0; r < table->model()->rowCount(); ++r) {
    const ReviewRow* row = page->RowAt(r);
    ASSERT_NE(row, nullptr);
    const auto same = std::find_if(expected.begin(), expected.end(), [&](const ReviewRow& e) {
      return e.type == row->type && e.form == row->form && e.payee == row->payee;
    });
    ASSERT_NE(same, expected.end()) << row->number;
    EXPECT_EQ(row->problems, same->problems) << row->number;
    EXPECT_EQ(table->model()->index(r, CReviewModel::kNumber).data().toString().toStdString(), same->number);
    const QString status = table->model()->index(r, CReviewModel::kStatus).data().toString();
    EXPECT_EQ(status, same->Status() == ReviewStatus::Complete ? "Complete" : "Warning") << row->number;
    seen.insert(row->number);
  }
  EXPECT_EQ(seen.size(), expected.size());
  // Forms with problems come first; a click on a heading sorts by it.
  EXPECT_EQ(page->RowAt(0)->Status(), ReviewStatus::Warning);
  table->horizontalHeader()->setSortIndicator(CReviewModel::kBox1, Qt::DescendingOrder);
  EXPECT_EQ(table->model()->index(0, CReviewModel::kBox1).data().toString(), "105000.00");

  const auto rowOf = [&](const std::string& number) {
    for (int r = 0; r < table->model()->rowCount(); ++r)
      if (page->RowAt(r)->number == number) return r;
    return -1;
  };
  const int james = rowOf("412-55-1002");
  ASSERT_GE(james, 0);
  const int jamesPayee = page->RowAt(james)->payee;
  const QRect cell = table->visualRect(table->model()->index(james, CReviewModel::kName));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  ASSERT_EQ(frame->CurrentPage(), Page::W2);
  auto* w2 = static_cast<CW2View*>(frame->PageWidget(Page::W2));
  EXPECT_EQ(w2->Rules().CurrentPayee(), jamesPayee);
  EXPECT_EQ(doc.GetEmployees()[static_cast<size_t>(jamesPayee)].SocialSecurityNumber(), "412-55-1002");

  // By keyboard: Ctrl+9, a row, Enter.
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_9, Qt::ControlModifier);
  ASSERT_EQ(frame->CurrentPage(), Page::Review);
  const int reyes = rowOf("345-67-8901");
  ASSERT_GE(reyes, 0);
  table->setFocus();
  table->setCurrentIndex(table->model()->index(reyes, CReviewModel::kName));
  QTest::keyClick(table, Qt::Key_Return);
  ASSERT_EQ(frame->CurrentPage(), Page::Form1099);
  auto* form1099 = static_cast<C1099View*>(frame->PageWidget(Page::Form1099));
  EXPECT_EQ(doc.GetContractors()[static_cast<size_t>(form1099->Rules().CurrentPayee())].IdentificationNumber(),
            "345-67-8901");
}

// The question before a print: the problems listed, "Print anyway" and
// "Cancel", Cancel the default so that Enter alone prints nothing.
TEST(PrintAnywayQuestion, ListsTheProblemsWithCancelAsTheDefault) {
  test::QtApp();
  QtUiServices ui;
  test::ModalAnswers answers;
  QString heading, listed;
  bool cancelIsDefault = false;
  answers.Then([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    heading = box->text();
    listed = box->informativeText();
    cancelIsDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
    QTest::keyClick(box, Qt::Key_Return);
  });
  const std::vector<std::string> problems = {"Error: W-2 of Lee, Ann (123-45-6781): Box 12a has an amount but no code"};
  EXPECT_FALSE(ui.AskPrintAnyway("1 of the forms to be printed has 1 error:", problems));
  EXPECT_EQ(heading, "1 of the forms to be printed has 1 error:");
  EXPECT_TRUE(listed.startsWith("Error: W-2 of Lee, Ann (123-45-6781): Box 12a has an amount but no code"));
  EXPECT_TRUE(cancelIsDefault);

  answers.Then([](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* button : box->buttons())
      if (button->text() == "Print anyway") button->click();
  });
  EXPECT_TRUE(ui.AskPrintAnyway("1 of the forms to be printed has 1 error:", problems));
}

}  // namespace
}  // namespace formet
