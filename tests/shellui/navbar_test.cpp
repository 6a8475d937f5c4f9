// The navigation bar driven with mouse, key and timer events, headless.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

#include "qt_app.h"
#include "shell/ui/navbar/gfx_out_bar_ctrl.h"
#include "shell/ui/navbar/program_nav_bar.h"

namespace formet {
namespace {

constexpr int kLastItem = kProgramNavItemCount - 1;

using Bar = CGfxOutBarCtrl;

// Moves the mouse with `buttons` held, as the window system reports it.
void MoveTo(QWidget& w, const QPoint& pos, Qt::MouseButtons buttons = Qt::NoButton) {
  QMouseEvent e(QEvent::MouseMove, QPointF(pos), w.mapToGlobal(QPointF(pos)), Qt::NoButton, buttons,
                Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &e);
}

void Press(QWidget& w, const QPoint& pos) {
  MoveTo(w, pos);
  QTest::mousePress(&w, Qt::LeftButton, {}, pos);
}

void Drag(QWidget& w, const QPoint& pos) { MoveTo(w, pos, Qt::LeftButton); }

void Release(QWidget& w, const QPoint& pos) {
  Drag(w, pos);
  QTest::mouseRelease(&w, Qt::LeftButton, {}, pos);
}

void Click(QWidget& w, const QPoint& pos) {
  Press(w, pos);
  Release(w, pos);
}

// One tick of a timer of the bar, whatever its period: the timer's own
// timer event, so the bar sees exactly what a real tick does.
void Tick(QTimer* timer) {
  ASSERT_NE(timer, nullptr);
  ASSERT_TRUE(timer->isActive());
  QTimerEvent e(timer->timerId());
  QCoreApplication::sendEvent(timer, &e);
}

// Keeps a running timer from ticking on its own during a test.
QTimer* Hold(QTimer* timer) {
  if (timer != nullptr && timer->isActive()) timer->setInterval(3600 * 1000);
  return timer;
}

// The program's bar, shown at the given size.
std::unique_ptr<Bar> ProgramBar(int width, int height) {
  test::QtApp();
  auto bar = std::make_unique<Bar>(kProgramNavBarFlags);
  ConfigureProgramNavBar(*bar);
  bar->resize(width, height);
  bar->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
  return bar;
}

// A bar with three folders, the last with three items; folder 0 selected.
std::unique_ptr<Bar> ThreeFolderBar(unsigned flags = 0) {
  test::QtApp();
  auto bar = std::make_unique<Bar>(flags);
  for (const char* name : {"One", "Two", "Three"}) bar->AppendFolder(QString::fromLatin1(name));
  for (int i = 0; i < 3; ++i) bar->InsertFolderItem(2, i, QStringLiteral("Item %1").arg(i), 0);
  bar->resize(160, 400);
  bar->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
  return bar;
}

QTimer* ScrollTimer(Bar& bar) { return bar.findChild<QTimer*>(QStringLiteral("scrollRepeatTimer")); }
QTimer* AnimationTimer(Bar& bar) { return bar.findChild<QTimer*>(QStringLiteral("clickAnimationTimer")); }

// ---------------------------------------------------------------------------

TEST(NavBarProgram, ConfigurationOfTheMainWindowsBar) {
  auto bar = ProgramBar(160, 560);
  EXPECT_EQ(bar->Flags(), 380u);
  EXPECT_FALSE(bar->UsesSmallIcons());
  EXPECT_EQ(bar->BackgroundColor(), QColor(255, 249, 248));
  ASSERT_EQ(bar->GetFolderCount(), 1);
  EXPECT_EQ(bar->GetFolderText(0), QStringLiteral("Shortcuts"));
  EXPECT_EQ(bar->GetSelFolder(), 0);

  const struct {
    const char* label;
    int image;
  } expected[] = {{"Company Info", 0}, {"Employees", 1}, {"Contractors", 1}, {"W2 Forms", 4},
                  {"W3 Form", 4},      {"W2c Forms", 4},  {"1099 Forms", 4}, {"1096 Form", 4}, {"Review", 4}};
  ASSERT_EQ(bar->GetItemCount(0), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(bar->GetItemText(0, i), QString::fromLatin1(expected[i].label)) << i;
    EXPECT_EQ(bar->GetItemImage(0, i), expected[i].image) << i;
  }

  const QList<QPixmap> icons = bar->IconList(Bar::fLargeIconList);
  ASSERT_EQ(icons.size(), 7);
  for (const QPixmap& icon : icons) EXPECT_EQ(icon.size(), QSize(32, 32));

  QTimer* anim = AnimationTimer(*bar);
  ASSERT_NE(anim, nullptr);
  EXPECT_TRUE(anim->isActive());
  EXPECT_EQ(anim->interval(), 200);
}

TEST(NavBarLayout, HeaderOnTopAndLargeIconsCentredAboveTheirLabels) {
  auto bar = ProgramBar(160, 560);
  EXPECT_EQ(bar->GetFolderRect(0), QRect(0, 0, 160, 22));
  EXPECT_EQ(bar->GetInsideRect(), QRect(0, 22, 160, 538));
  EXPECT_FALSE(bar->IsUpArrowShown());
  EXPECT_FALSE(bar->IsDownArrowShown());

  int expectedTop = 22 + Bar::kTopMargin;
  for (int i = 0; i < 7; ++i) {
    const QRect icon = bar->GetIconRect(i);
    const QRect label = bar->GetLabelRect(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.top(), expectedTop);
    EXPECT_NEAR(icon.center().x(), 80, 1);
    EXPECT_EQ(label.top(), icon.bottom() + 1 + Bar::kLargeLabelGap);
    EXPECT_NEAR(label.center().x(), 80, 1);
    EXPECT_GT(label.height(), 0);
    EXPECT_LE(label.width(), 160 - 2 * Bar::kLeftMargin);
    expectedTop = label.bottom() + 1 + Bar::kLargeIconSpacing;
  }
}

TEST(NavBarLayout, NarrowBarWrapsLabelsOntoMoreLines) {
  auto wide = ProgramBar(160, 560);
  auto narrow = ProgramBar(70, 560);
  // "Company Info" does not fit on one line in 60 pixels, "Company" does.
  EXPECT_GT(narrow->GetLabelRect(0).height(), wide->GetLabelRect(0).height());
  EXPECT_LE(narrow->GetLabelRect(0).width(), 60);
  EXPECT_EQ(narrow->GetIconRect(1).top(), narrow->GetLabelRect(0).bottom() + 1 + Bar::kLargeIconSpacing);
}

TEST(NavBarHitTest, HeadersItemsAndEmptySpace) {
  auto bar = ProgramBar(160, 560);
  const QRect icon2 = bar->GetIconRect(2);
  const QRect label2 = bar->GetLabelRect(2);
  const QRect labelLast = bar->GetLabelRect(kLastItem);
  ASSERT_LT(label2.left(), icon2.left());  // "Contractors" is wider than its icon

  const struct {
    const char* what;
    QPoint point;
    int result;
    int index;
  } cases[] = {
      {"header", {80, 11}, Bar::htFolder, 0},
      {"header edge", {0, 21}, Bar::htFolder, 0},
      {"icon", icon2.center(), Bar::htItem, 2},
      {"icon corner", icon2.bottomRight(), Bar::htItem, 2},
      {"label beside the icon column", {label2.left() + 1, label2.center().y()}, Bar::htItem, 2},
      {"gap between icon and label", {icon2.center().x(), icon2.bottom() + 2}, Bar::htNothing, -1},
      {"beside the icon", {icon2.left() - 3, icon2.center().y()}, Bar::htNothing, -1},
      {"left margin", {1, bar->GetIconRect(0).center().y()}, Bar::htNothing, -1},
      {"below the last item", {80, labelLast.bottom() + 20}, Bar::htNothing, -1},
      {"outside the bar", {200, 30}, Bar::htNothing, -1},
  };
  for (const auto& c : cases) {
    int index = 99;
    EXPECT_EQ(bar->HitTestEx(c.point, index), c.result) << c.what;
    EXPECT_EQ(index, c.index) << c.what;
  }
  for (int i = 0; i < kProgramNavItemCount; ++i) {
    int index = -1;
    EXPECT_EQ(bar->HitTestEx(bar->GetIconRect(i).center(), index), Bar::htItem);
    EXPECT_EQ(index, i);
    EXPECT_EQ(bar->HitTestEx(bar->GetLabelRect(i).center(), index), Bar::htItem);
    EXPECT_EQ(index, i);
  }
}

TEST(NavBarHitTest, HeadersAfterTheSelectedFolderSitAtTheBottom) {
  auto bar = ThreeFolderBar();
  EXPECT_EQ(bar->GetFolderRect(1), QRect(0, 400 - 44, 160, 22));
  EXPECT_EQ(bar->GetFolderRect(2), QRect(0, 400 - 22, 160, 22));
  EXPECT_EQ(bar->GetInsideRect(), QRect(0, 22, 160, 400 - 66));
  int index = -1;
  EXPECT_EQ(bar->HitTestEx({10, 400 - 30}, index), Bar::htFolder);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(bar->HitTestEx({10, 200}, index), Bar::htNothing);  // folder 0 has no items

  bar->SelectFolder(2);
  EXPECT_EQ(bar->GetFolderRect(2), QRect(0, 44, 160, 22));
  EXPECT_EQ(bar->GetIconRect(0).top(), 66 + Bar::kTopMargin);
  EXPECT_EQ(bar->HitTestEx(bar->GetIconRect(1).center(), index), Bar::htItem);
  EXPECT_EQ(index, 1);
}

TEST(NavBarHitTest, ArrowsWinOverItemsBeneathThem) {
  auto bar = ProgramBar(160, 220);
  ASSERT_TRUE(bar->IsDownArrowShown());
  int index = 99;
  EXPECT_EQ(bar->HitTestEx(bar->GetDownArrowRect().center(), index), Bar::htDownScroll);
  EXPECT_EQ(index, -1);
  // Without the up arrow its place is an ordinary point.
  EXPECT_NE(bar->HitTestEx(bar->GetUpArrowRect().center(), index), Bar::htUpScroll);

  Press(*bar, bar->GetDownArrowRect().center());
  Tick(Hold(ScrollTimer(*bar)));
  Release(*bar, bar->GetDownArrowRect().center());
  ASSERT_TRUE(bar->IsUpArrowShown());
  EXPECT_EQ(bar->HitTestEx(bar->GetUpArrowRect().center(), index), Bar::htUpScroll);
}

// ---------------------------------------------------------------------------

TEST(NavBarClick, ReleasedOverAnotherItemOrNothingSendsNothing) {
  auto bar = ProgramBar(160, 560);
  QSignalSpy clicked(bar.get(), &Bar::itemClicked);

  Press(*bar, bar->GetIconRect(1).center());
  EXPECT_EQ(bar->GetPressedItem(), 1);
  Release(*bar, bar->GetIconRect(3).center());
  EXPECT_EQ(clicked.count(), 0);

  Press(*bar, bar->GetIconRect(2).center());
  Release(*bar, {2, bar->GetIconRect(2).center().y()});  // empty space beside it
  EXPECT_EQ(clicked.count(), 0);

  Press(*bar, bar->GetIconRect(2).center());
  Release(*bar, {80, 11});  // the folder header
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(bar->GetLastClickedItem(), -1);
}

TEST(NavBarClick, LeavingAndComingBackBeforeReleaseStillClicks) {
  auto bar = ProgramBar(160, 560);
  QSignalSpy clicked(bar.get(), &Bar::itemClicked);
  Press(*bar, bar->GetIconRect(5).center());
  Drag(*bar, bar->GetIconRect(6).center());
  EXPECT_EQ(bar->GetPressedItem(), -1);  // drawn plain while away
  Drag(*bar, bar->GetLabelRect(5).center());
  EXPECT_EQ(bar->GetPressedItem(), 5);
  Release(*bar, bar->GetLabelRect(5).center());
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked.at(0).at(0).toInt(), 5);
}

TEST(NavBarClick, SameItemTwiceNotifiesTwice) {
  auto bar = ProgramBar(160, 560);
  QSignalSpy clicked(bar.get(), &Bar::itemClicked);
  Click(*bar, bar->GetIconRect(4).center());
  Click(*bar, bar->GetIconRect(4).center());
  ASSERT_EQ(clicked.count(), 2);
  EXPECT_EQ(clicked.at(0).at(0).toInt(), 4);
  EXPECT_EQ(clicked.at(1).at(0).toInt(), 4);
  EXPECT_EQ(bar->GetLastClickedItem(), 4);

  // A double click is two clicks as well.
  const QPoint p = bar->GetIconRect(0).center();
  Click(*bar, p);
  QTest::mouseDClick(bar.get(), Qt::LeftButton, {}, p);
  QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, p);
  ASSERT_EQ(clicked.count(), 4);
  EXPECT_EQ(clicked.at(3).at(0).toInt(), 0);
}

TEST(NavBarClick, RightButtonDoesNothing) {
  auto bar = ProgramBar(160, 560);
  QSignalSpy clicked(bar.get(), &Bar::itemClicked);
  QSignalSpy selected(bar.get(), &Bar::folderSelected);
  QTest::mouseClick(bar.get(), Qt::RightButton, {}, bar->GetIconRect(1).center());
  QTest::mouseClick(bar.get(), Qt::RightButton, {}, {80, 11});
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(selected.count(), 0);
  EXPECT_EQ(bar->GetPressedItem(), -1);
}

TEST(NavBarHover, RaisedFrameFollowsTheCursorAndGoesWhenItLeaves) {
  auto bar = ProgramBar(160, 560);
  EXPECT_EQ(bar->GetHotItem(), -1);
  MoveTo(*bar, bar->GetIconRect(1).center());
  EXPECT_EQ(bar->GetHotItem(), 1);
  MoveTo(*bar, bar->GetLabelRect(5).center());
  EXPECT_EQ(bar->GetHotItem(), 5);
  MoveTo(*bar, {2, bar->GetIconRect(5).center().y()});
  EXPECT_EQ(bar->GetHotItem(), -1);
  MoveTo(*bar, bar->GetIconRect(2).center());
  ASSERT_EQ(bar->GetHotItem(), 2);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(bar.get(), &leave);
  EXPECT_EQ(bar->GetHotItem(), -1);

  // While pressed the frame is the pressed one; after the click it is raised again.
  Press(*bar, bar->GetIconRect(3).center());
  EXPECT_EQ(bar->GetPressedItem(), 3);
  Release(*bar, bar->GetIconRect(3).center());
  EXPECT_EQ(bar->GetPressedItem(), -1);
  EXPECT_EQ(bar->GetHotItem(), 3);
}

TEST(NavBarHover, HandCursorOnlyOverFolderHeaders) {
  auto bar = ThreeFolderBar();
  MoveTo(*bar, {80, 11});
  EXPECT_EQ(bar->cursor().shape(), Qt::PointingHandCursor);
  MoveTo(*bar, {80, 200});
  EXPECT_EQ(bar->cursor().shape(), Qt::ArrowCursor);
  MoveTo(*bar, {80, 400 - 11});
  EXPECT_EQ(bar->cursor().shape(), Qt::PointingHandCursor);

  auto program = ProgramBar(160, 560);
  MoveTo(*program, program->GetIconRect(0).center());
  EXPECT_EQ(program->cursor().shape(), Qt::ArrowCursor);
}

// ---------------------------------------------------------------------------

TEST(NavBarScroll, HoldingTheDownArrowScrollsOneItemPerTickUntilTheLastIsVisible) {
  auto bar = ProgramBar(160, 220);
  ASSERT_TRUE(bar->IsDownArrowShown());
  EXPECT_FALSE(bar->IsUpArrowShown());
  const QPoint arrow = bar->GetDownArrowRect().center();
  const int insideBottom = bar->GetInsideRect().bottom();

  Press(*bar, arrow);
  QTimer* timer = Hold(ScrollTimer(*bar));
  int expected = 0;
  while (bar->GetLabelRect(kLastItem).bottom() > insideBottom) {
    ASSERT_LT(expected, kLastItem) << "the last item never came into view";
    Tick(timer);
    ++expected;
    ASSERT_EQ(bar->GetFirstVisibleItem(), expected);
    EXPECT_TRUE(bar->IsUpArrowShown());
  }
  EXPECT_GT(expected, 1);
  EXPECT_FALSE(bar->IsDownArrowShown());
  // Further ticks while still held change nothing.
  if (timer->isActive()) Tick(timer);
  EXPECT_EQ(bar->GetFirstVisibleItem(), expected);
  Release(*bar, arrow);
  EXPECT_FALSE(timer->isActive());

  // The items scrolled away are no longer hit; the first visible one is.
  int index = -1;
  EXPECT_EQ(bar->HitTestEx(bar->GetIconRect(expected).center(), index), Bar::htItem);
  EXPECT_EQ(index, expected);
  EXPECT_TRUE(bar->GetIconRect(0).isNull());
}

TEST(NavBarScroll, OnlyTicksWithTheCursorOnThePressedArrowScroll) {
  auto bar = ProgramBar(160, 220);
  const QPoint arrow = bar->GetDownArrowRect().center();
  Press(*bar, arrow);
  QTimer* timer = Hold(ScrollTimer(*bar));
  Drag(*bar, {20, 60});
  Tick(timer);
  EXPECT_EQ(bar->GetFirstVisibleItem(), 0);
  Drag(*bar, arrow);
  Tick(timer);
  EXPECT_EQ(bar->GetFirstVisibleItem(), 1);
  Release(*bar, arrow);

  // Up arrow, one tick back to the top.
  const QPoint up = bar->GetUpArrowRect().center();
  Press(*bar, up);
  Tick(Hold(ScrollTimer(*bar)));
  EXPECT_EQ(bar->GetFirstVisibleItem(), 0);
  EXPECT_FALSE(bar->IsUpArrowShown());
  Release(*bar, up);
}

TEST(NavBarScroll, EscapeEndsTheArrowTracking) {
  auto bar = ProgramBar(160, 220);
  const QPoint arrow = bar->GetDownArrowRect().center();
  Press(*bar, arrow);
  QTimer* timer = Hold(ScrollTimer(*bar));
  Tick(timer);
  ASSERT_EQ(bar->GetFirstVisibleItem(), 1);
  QTest::keyClick(bar.get(), Qt::Key_Escape);
  EXPECT_FALSE(timer->isActive());
  Drag(*bar, arrow);
  Release(*bar, arrow);
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(bar->GetFirstVisibleItem(), 1);
}

TEST(NavBarScroll, IconSizeChangeScrollsBackOnlyWhenTheSizeChanges) {
  auto bar = ProgramBar(160, 120);
  bar->UseSmallIcons(true);
  ASSERT_TRUE(bar->UsesSmallIcons());
  EXPECT_EQ(bar->GetIconRect(0), QRect(Bar::kLeftMargin, bar->GetIconRect(0).top(), 16, 16));
  EXPECT_GT(bar->GetLabelRect(0).left(), bar->GetIconRect(0).right() + Bar::kSmallLabelGap);
  ASSERT_TRUE(bar->IsDownArrowShown());

  Press(*bar, bar->GetDownArrowRect().center());
  Tick(Hold(ScrollTimer(*bar)));
  Release(*bar, bar->GetDownArrowRect().center());
  ASSERT_EQ(bar->GetFirstVisibleItem(), 1);
  bar->UseSmallIcons(true);  // already small: nothing happens
  EXPECT_EQ(bar->GetFirstVisibleItem(), 1);
  bar->UseSmallIcons(false);
  EXPECT_EQ(bar->GetFirstVisibleItem(), 0);
  EXPECT_EQ(bar->Flags(), 380u);
}

// ---------------------------------------------------------------------------

TEST(NavBarFolders, ReleasingOverTheSelectedHeaderChangesNothing) {
  auto bar = ProgramBar(160, 220);
  Press(*bar, bar->GetDownArrowRect().center());
  Tick(Hold(ScrollTimer(*bar)));
  Release(*bar, bar->GetDownArrowRect().center());
  ASSERT_EQ(bar->GetFirstVisibleItem(), 1);

  QSignalSpy selected(bar.get(), &Bar::folderSelected);
  Click(*bar, {80, 11});
  EXPECT_EQ(selected.count(), 0);
  EXPECT_EQ(bar->GetSelFolder(), 0);
  EXPECT_EQ(bar->GetFirstVisibleItem(), 1);

  // SelectFolder with the selected folder still notifies and scrolls back.
  bar->SelectFolder(0);
  ASSERT_EQ(selected.count(), 1);
  EXPECT_EQ(selected.at(0).at(0).toInt(), 0);
  EXPECT_EQ(bar->GetFirstVisibleItem(), 0);
}

TEST(NavBarFolders, ReleasingOverAnotherFolderSelectsIt) {
  auto bar = ThreeFolderBar(kProgramNavBarFlags);
  QSignalSpy selected(bar.get(), &Bar::folderSelected);
  const QPoint header2 = bar->GetFolderRect(2).center();

  // Pressed on a header and released in the item area: nothing.
  Press(*bar, header2);
  Release(*bar, {80, 200});
  EXPECT_EQ(selected.count(), 0);

  Click(*bar, header2);
  ASSERT_EQ(selected.count(), 1);
  EXPECT_EQ(selected.at(0).at(0).toInt(), 2);
  EXPECT_EQ(bar->GetSelFolder(), 2);

  // Pressed on header 1, released on header 0: the header under the release wins.
  Press(*bar, bar->GetFolderRect(1).center());
  Release(*bar, bar->GetFolderRect(0).center());
  ASSERT_EQ(selected.count(), 2);
  EXPECT_EQ(selected.at(1).at(0).toInt(), 0);
  EXPECT_EQ(bar->GetSelFolder(), 0);
}

TEST(NavBarFolders, ChangingFolderForgetsTheLastClickedItem) {
  auto bar = ThreeFolderBar(Bar::fSelHighlight);
  bar->SelectFolder(2);
  Click(*bar, bar->GetIconRect(1).center());
  ASSERT_EQ(bar->GetLastClickedItem(), 1);
  bar->SelectFolder(2);
  EXPECT_EQ(bar->GetLastClickedItem(), 1);
  bar->SelectFolder(0);
  EXPECT_EQ(bar->GetLastClickedItem(), -1);
}

// ---------------------------------------------------------------------------

// Tab reaches the bar; Up, Down, Home and End move the focus frame, and Enter
// or Space clicks the framed item as the mouse does.
TEST(NavBarKeyboard, ArrowsMoveTheFrameAndEnterClicks) {
  auto bar = ProgramBar(160, 560);
  EXPECT_TRUE(bar->focusPolicy() & Qt::TabFocus);
  QSignalSpy clicked(bar.get(), &Bar::itemClicked);
  bar->activateWindow();
  bar->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar->hasFocus(); }));
  EXPECT_EQ(bar->GetFocusItem(), 0);  // nothing clicked yet: the first item
  const struct {
    Qt::Key key;
    int focus;
  } steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}, {Qt::Key_End, kLastItem},
               {Qt::Key_Down, kLastItem}, {Qt::Key_Home, 0}, {Qt::Key_Up, 0}};
  for (const auto& step : steps) {
    QTest::keyClick(bar.get(), step.key);
    EXPECT_EQ(bar->GetFocusItem(), step.focus) << step.key;
  }
  EXPECT_EQ(clicked.count(), 0);  // moving the frame shows no page
  QTest::keyClick(bar.get(), Qt::Key_Down);
  QTest::keyClick(bar.get(), Qt::Key_Return);
  QTest::keyClick(bar.get(), Qt::Key_Space);
  ASSERT_EQ(clicked.count(), 2);
  EXPECT_EQ(clicked[0][0].toInt(), 1);
  EXPECT_EQ(clicked[1][0].toInt(), 1);
  EXPECT_EQ(bar->GetLastClickedItem(), 1);

  // A mouse click moves the frame to the item clicked.
  Click(*bar, bar->GetIconRect(4).center());
  EXPECT_EQ(bar->GetFocusItem(), 4);
}

// In a bar too short for every item, the framed item is scrolled into view.
TEST(NavBarKeyboard, TheFramedItemIsScrolledIntoView) {
  auto bar = ProgramBar(160, 220);
  ASSERT_TRUE(bar->IsDownArrowShown());
  bar->SetFocusItem(kLastItem);
  const auto shown = bar->ShownItemIndexes();
  EXPECT_NE(std::find(shown.begin(), shown.end(), kLastItem), shown.end());
  EXPECT_GT(bar->GetFirstVisibleItem(), 0);
  bar->SetFocusItem(0);
  EXPECT_EQ(bar->GetFirstVisibleItem(), 0);
  bar->SetFocusItem(99);  // past the end: the last item
  EXPECT_EQ(bar->GetFocusItem(), kLastItem);
}

TEST(NavBarKeyboard, ChangingFolderDropsTheFrame) {
  auto bar = ThreeFolderBar();
  bar->SelectFolder(2);
  bar->SetFocusItem(2);
  ASSERT_EQ(bar->GetFocusItem(), 2);
  bar->SelectFolder(0);
  EXPECT_EQ(bar->GetFocusItem(), -1);
  QSignalSpy clicked(bar.get(), &Bar::itemClicked);
  QTest::keyClick(bar.get(), Qt::Key_Return);  // the folder has no items
  EXPECT_EQ(clicked.count(), 0);
}

TEST(NavBarAnimation, LastClickedIconWigglesOnceEveryTwelveTicks) {
  auto bar = ProgramBar(160, 560);
  QTimer* timer = Hold(AnimationTimer(*bar));
  Tick(timer);
  EXPECT_EQ(bar->GetClickAnimationOffset(), QPoint(0, 0));  // nothing clicked yet

  Click(*bar, bar->GetIconRect(2).center());
  std::vector<QPoint> offsets;
  for (int i = 0; i < 25; ++i) {
    Tick(timer);
    offsets.push_back(bar->GetClickAnimationOffset());
  }
  for (int i = 0; i < 25; ++i) {
    const int phase = i % 12;
    const QPoint expected = phase == 0 ? QPoint(-1, 1) : phase == 2 ? QPoint(1, 1) : QPoint(0, 0);
    EXPECT_EQ(offsets[i], expected) << "tick " << i + 1;
  }

  // Another click restarts the sequence on the new item.
  Tick(timer);
  Click(*bar, bar->GetIconRect(5).center());
  Tick(timer);
  EXPECT_EQ(bar->GetClickAnimationOffset(), QPoint(-1, 1));

  bar->SetClickAnimationPeriod(0);
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(bar->GetClickAnimationOffset(), QPoint(0, 0));
}

}  // namespace
}  // namespace formet
