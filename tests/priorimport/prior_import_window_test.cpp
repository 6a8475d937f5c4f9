// The progress window and its controller, run headless.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "desktop/modal_answers.h"
#include "prior_import_fixture.h"
#include "qt_app.h"
#include "store/ui/prior_year_import_window.h"

namespace formet {
namespace {

namespace fs = std::filesystem;
using Mark = CImportProgressWnd::Mark;

const QString kNotFound = QString::fromUtf8(
    "The Formet 2006 database folder couldn\xE2\x80\x99t be found.\nOperation Cancelled.");
const QString kEnumerateFailed =
    QStringLiteral("Enumerating companies for the tax year 2006, failed.\nOperation Cancelled.");
const QString kSucceeded = QStringLiteral(
    "Importing clients for the Tax Year 2006 completed successfully.\nFrom the menu, select \"Company\" and then "
    "\"Open\" to open any of the imported companies.");
const QString kCancelQuestion = QStringLiteral("Are you sure you want cancel?");

// A message box as the user saw it.
struct SeenBox {
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

class PriorImportWindowTest : public test::PriorImportFixture {
 protected:
  void SetUp() override { test::QtApp(); }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) controller->OnImportTimer();
  }
  // The next message box is noted and closed with OK.
  void NoteNextBox() {
    answers.Then([this](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      seen.push_back({box->windowTitle(), box->icon()});
      if (auto* ok = box->button(QMessageBox::Ok)) ok->click();
      else box->reject();  // not the message expected; the checks on the texts say so
    });
  }
  std::vector<Mark> Marks() const {
    std::vector<Mark> marks;
    for (int i = 0; i < PriorYearImport::kStepCount; ++i) marks.push_back(controller->Window()->StepMark(i));
    return marks;
  }

  QWidget owner;
  std::unique_ptr<PriorYearImportController> controller =
      std::make_unique<PriorYearImportController>(settings, data, &owner, Roots());
  test::ModalAnswers answers;
  std::vector<SeenBox> seen;
};

TEST_F(PriorImportWindowTest, ImportRunsOnTheTimerToItsSuccessMessage) {
  SetInstallPath(Install(dir / "old", {{"Acme.qdt", "acme"}, {"Beta.qdt", "beta"}}));
  controller->OnImportTimer();  // no import: nothing happens
  EXPECT_FALSE(controller->IsRunning());

  controller->Start();
  ASSERT_TRUE(controller->IsRunning());
  QPointer<CImportProgressWnd> window = controller->Window();
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(window->parentWidget(), &owner);
  EXPECT_TRUE(controller->Timer().isActive());
  EXPECT_EQ(controller->Timer().interval(), 1);
  QStringList captions;
  for (int i = 0; i < window->TaskList()->count(); ++i) captions << window->TaskList()->item(i)->text();
  EXPECT_EQ(captions, QStringList({"Searching for Formet 2006 Database Folder", "Enumerating Companies",
                                   "Upgrading Companies to 2007 Version",
                                   "Copying Companies to Formet 2007 Database Folder", "Refreshing Company List"}));
  EXPECT_EQ(Marks(), (std::vector<Mark>{Mark::Current, Mark::Pending, Mark::Pending, Mark::Pending, Mark::Pending}));
  EXPECT_EQ(window->PercentText(), "0%");

  Ticks(37);
  EXPECT_EQ(window->ProgressValue(), 37);
  EXPECT_EQ(window->PercentText(), "37%");
  Ticks(64);
  EXPECT_EQ(Marks(), (std::vector<Mark>{Mark::Done, Mark::Current, Mark::Pending, Mark::Pending, Mark::Pending}));
  EXPECT_EQ(window->ProgressValue(), 0);
  EXPECT_EQ(window->PercentText(), "0%");
  Ticks(101 * 2);
  EXPECT_EQ(Marks(), (std::vector<Mark>{Mark::Done, Mark::Done, Mark::Done, Mark::Current, Mark::Pending}));

  // The rest on the timer itself.
  NoteNextBox();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !controller->IsRunning(); }, 60000));
  EXPECT_EQ(answers.texts, std::vector<QString>({kSucceeded}));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Formet (2007)");
  EXPECT_EQ(seen[0].icon, QMessageBox::Information);
  EXPECT_FALSE(controller->Timer().isActive());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(test::ReadBytes(data / "Acme.qdt"), "acme");
  EXPECT_EQ(test::ReadBytes(data / "Beta.qdt"), "beta");
}

TEST_F(PriorImportWindowTest, FailuresShowTheirMessageWithTheErrorIcon) {
  struct Case {
    const char* name;
    bool installEmptyRelease;
    int ticks;
    QString message;
  };
  const Case cases[] = {
      {"no previous release anywhere", false, 5, kNotFound},
      {"an empty previous data folder", true, 106, kEnumerateFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchMachine machine;
    if (c.installEmptyRelease) machine.SetInstallLocation(machine.Install(machine.dir / "old").string());
    PriorYearImportController failing(machine.settings, machine.data, &owner, machine.Roots());
    answers.texts.clear();
    seen.clear();
    failing.Start();
    for (int i = 0; i < c.ticks - 1; ++i) failing.OnImportTimer();
    EXPECT_TRUE(failing.IsRunning());
    EXPECT_TRUE(answers.texts.empty());
    NoteNextBox();
    failing.OnImportTimer();
    EXPECT_FALSE(failing.IsRunning());
    EXPECT_FALSE(failing.Timer().isActive());
    EXPECT_EQ(answers.texts, std::vector<QString>({c.message}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Formet (2007)");
    EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(failing.Import().Step(), 0);
    EXPECT_EQ(failing.Import().Counter(), 0);
  }
}

TEST_F(PriorImportWindowTest, CancelAsksAndYesStopsAtTheNextTick) {
  enum class Trigger { Button, Escape, Close };
  struct Case {
    const char* name;
    Trigger trigger;
    QMessageBox::StandardButton answer;
  };
  const Case cases[] = {
      {"Cancel, Yes", Trigger::Button, QMessageBox::Yes},
      {"Cancel, No", Trigger::Button, QMessageBox::No},
      {"Escape, Yes", Trigger::Escape, QMessageBox::Yes},
      {"the window's close button, No", Trigger::Close, QMessageBox::No},
      {"the window's close button, Yes", Trigger::Close, QMessageBox::Yes},
  };
  SetInstallPath(Install(dir / "old", {{"Acme.qdt", "acme"}}));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    answers.texts.clear();
    controller->Start();
    ASSERT_TRUE(controller->IsRunning());
    Ticks(10);
    auto* window = controller->Window();
    // While the question is open, ticks (the timer's and these) change nothing.
    int counterWhileAsking = -1;
    answers.Then([&](QWidget* w) {
      Ticks(20);
      counterWhileAsking = controller->Import().Counter();
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      ASSERT_NE(box->button(c.answer), nullptr);
      box->button(c.answer)->click();
    });
    switch (c.trigger) {
      case Trigger::Button: window->CancelButton()->click(); break;
      case Trigger::Escape: QTest::keyClick(window, Qt::Key_Escape); break;
      case Trigger::Close: window->close(); break;
    }
    EXPECT_EQ(answers.texts, std::vector<QString>({kCancelQuestion}));
    EXPECT_EQ(counterWhileAsking, 10);
    EXPECT_EQ(controller->Import().Counter(), 10);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(controller->IsRunning());
    EXPECT_FALSE(controller->Import().PreviousDataFolder().empty());

    controller->OnImportTimer();
    if (c.answer == QMessageBox::Yes) {
      EXPECT_FALSE(controller->IsRunning());
      EXPECT_FALSE(controller->Timer().isActive());
      EXPECT_EQ(controller->Import().Counter(), 0);
      EXPECT_EQ(answers.texts.size(), 1u);  // no message
    } else {
      EXPECT_TRUE(controller->IsRunning());
      EXPECT_EQ(controller->Import().Counter(), 11);
      NoteNextBox();
      for (int i = 0; i < 505 && controller->IsRunning(); ++i) controller->OnImportTimer();
      EXPECT_FALSE(controller->IsRunning());
      EXPECT_EQ(answers.texts, std::vector<QString>({kCancelQuestion, kSucceeded}));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Nothing was copied by the cancelled imports that the finished ones did not copy.
  EXPECT_EQ(test::ReadBytes(data / "Acme.qdt"), "acme");
}

TEST_F(PriorImportWindowTest, SecondStartWhileRunningDoesNothing) {
  SetInstallPath(Install(dir / "old", {{"Acme.qdt", "acme"}}));
  controller->Start();
  Ticks(10);
  auto* window = controller->Window();
  controller->Start();
  EXPECT_EQ(controller->Window(), window);
  EXPECT_EQ(controller->Import().Counter(), 10);
  EXPECT_EQ(controller->Import().Step(), 0);
  int progressWindows = 0;
  for (auto* w : QApplication::topLevelWidgets())
    if (qobject_cast<CImportProgressWnd*>(w) && w->isVisible()) ++progressWindows;
  EXPECT_EQ(progressWindows, 1);
  EXPECT_TRUE(answers.texts.empty());
}

TEST_F(PriorImportWindowTest, BarStopsAtFullWhenCopyingPassesTheEnd) {
  CImportProgressWnd window;
  window.ShowCounter(130);
  EXPECT_EQ(window.ProgressValue(), 100);
  EXPECT_EQ(window.PercentText(), "100%");
  window.MarkStep(4);
  EXPECT_EQ(window.StepMark(3), Mark::Done);
  EXPECT_EQ(window.StepMark(4), Mark::Current);
}

}  // namespace
}  // namespace formet
