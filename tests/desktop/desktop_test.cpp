// Start-up, the main window's pages and commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "app/frame_rules.h"
#include "app/password.h"
#include "app/ui/formet_app.h"
#include "app/ui/help.h"
#include "app/ui/main_frame.h"
#include "app/ui/navbar/gfx_out_bar_ctrl.h"
#include "app/ui/pages.h"
#include "app/ui/password_dialogs.h"
#include "appui/qt_app.h"
#include "modal_answers.h"
#include "url_catcher.h"
#include "store/settings_store.h"
#include "test_support.h"

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

void MakeCompany(const fs::path& folder, const std::string& name) {
  test::ScriptedUi ui;
  MemorySettingsStore settings;
  CGlobalDoc doc(ui, settings, folder);
  doc.BeginSession();
  ui.newCompany = NewCompanyEntry{name, ""};
  ASSERT_TRUE(doc.NewCompany());
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
  const std::pair<int, Page> items[] = {{2, Page::Contractors}, {3, Page::W2}, {4, Page::W3},
                                        {5, Page::Form1099},    {6, Page::Form1096}};
  for (auto [item, page] : items) {
    frame->ShowNavigationItem(item);
    EXPECT_EQ(frame->CurrentPage(), page) << item;
  }
  PageRequests fresh;
  EXPECT_EQ(fresh.PageFor(0), Page::Welcome);
  EXPECT_EQ(fresh.PageFor(0), Page::Company);
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

  app->Doc().GetCompany().City = "Springfield";
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


// Help opens the guide installed beside the program; the web and order items
// lead to real pages, never to a placeholder address.
TEST_F(DesktopTest, HelpAndWebItemsOpenRealPages) {
  ScriptedPrompt prompt(true);
  auto app = StartAndPassSplash(prompt);
  test::UrlCatcher catcher;
  for (int id : {command::kHelp, command::kWeb, command::kOrderW2, command::kOrder1099})
    app->Frame()->Action(id)->trigger();
  ASSERT_EQ(catcher.urls.size(), 4);
  for (int i : {0, 1}) {
    EXPECT_TRUE(catcher.urls[i].isLocalFile());
    EXPECT_EQ(catcher.urls[i].fileName(), "formet2007.html");
    EXPECT_TRUE(QFileInfo(catcher.urls[i].toLocalFile()).isFile()) << catcher.urls[i].toString().toStdString();
  }
  for (int i : {2, 3}) EXPECT_EQ(catcher.urls[i].host(), "www.irs.gov");

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
  ASSERT_EQ(catcher.urls.size(), 7);
  EXPECT_EQ(catcher.urls[4].fileName(), "formet2007.html");
  EXPECT_EQ(catcher.urls[5].host(), "www.irs.gov");

  // A section of a page is opened at its anchor.
  EXPECT_TRUE(OpenHelpPage("formet2007.html#password"));
  EXPECT_EQ(catcher.urls.back().fragment(), "password");
}

TEST_F(DesktopTest, AMissingHelpPageIsReported) {
  test::UrlCatcher catcher;
  test::ModalAnswers answers;
  EXPECT_FALSE(OpenHelpPage("NoSuchPage.html"));
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_TRUE(answers.texts[0].startsWith("The help page NoSuchPage.html could not be found."));
  EXPECT_TRUE(catcher.urls.isEmpty());
}

}  // namespace
}  // namespace formet
