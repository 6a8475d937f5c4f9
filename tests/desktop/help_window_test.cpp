// The program's help window: contents, back and forward, search, and links.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>

#include "kit/ui/help_window.h"
#include "qt_app.h"
#include "test_support.h"
#include "url_catcher.h"

namespace formet {
namespace {

// A small guide of two pages that link to each other and to the web.
class HelpWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::QtApp();
    Write("guide.html",
          "<html><head><title>The Guide</title></head><body><h1>The Guide</h1>"
          "<h2 id=\"start\">Getting started</h2><p>Open a company. <a href=\"other.html#deep\">More</a></p>"
          "<h2 id=\"keys\">The <b>keyboard</b></h2><p>Press F6. Press F6 again.</p>"
          "<p><a href=\"https://www.irs.gov/forms\">Forms</a></p></body></html>");
    Write("other.html",
          "<html><head><title>Another page</title></head><body><h2 id=\"deep\">Deep down</h2>"
          "<p><a href=\"guide.html\">Back to the guide</a></p></body></html>");
  }
  void Write(const char* name, const char* html) { std::ofstream(dir / name) << html; }
  QString Folder() const { return QString::fromStdString(dir.path().string()); }

  test::TempDir dir;
};

TEST_F(HelpWindowTest, ContentsListThePagesAndTheirSections) {
  const auto topics = ReadHelpContents(Folder(), {"guide.html", "missing.html", "other.html"});
  ASSERT_EQ(topics.size(), 2);  // a page that is not there is left out
  EXPECT_EQ(topics[0].title, "The Guide");
  ASSERT_EQ(topics[0].sections.size(), 2);
  EXPECT_EQ(topics[0].sections[1].title, "The keyboard");  // the markup dropped
  EXPECT_EQ(topics[0].sections[1].fragment, "keys");
  EXPECT_EQ(topics[1].title, "Another page");
  EXPECT_EQ(topics[1].sections[0].file, "other.html");
}

TEST_F(HelpWindowTest, BackForwardContentsAndLinks) {
  test::UrlCatcher catcher;
  CHelpWindow help(Folder(), {"guide.html", "other.html"});
  ASSERT_TRUE(help.ShowPage("guide.html"));
  EXPECT_FALSE(help.ShowPage("nothing.html"));
  EXPECT_TRUE(help.isVisible());
  QTextBrowser* page = help.Browser();
  EXPECT_EQ(page->source().fileName(), "guide.html");
  EXPECT_FALSE(help.BackButton()->isEnabled());

  // A link between pages stays in the window.
  emit page->anchorClicked(QUrl("other.html#deep"));
  EXPECT_EQ(page->source().fileName(), "other.html");
  EXPECT_EQ(page->source().fragment(), "deep");
  EXPECT_EQ(help.Contents()->currentItem()->text(0), "Deep down");
  EXPECT_TRUE(help.BackButton()->isEnabled());
  help.BackButton()->click();
  EXPECT_EQ(page->source().fileName(), "guide.html");
  EXPECT_TRUE(help.ForwardButton()->isEnabled());
  help.ForwardButton()->click();
  EXPECT_EQ(page->source().fileName(), "other.html");

  // A section picked in the contents.
  QTreeWidgetItem* guide = help.Contents()->topLevelItem(0);
  ASSERT_EQ(guide->childCount(), 2);
  emit help.Contents()->itemActivated(guide->child(1), 0);
  EXPECT_EQ(page->source().fileName(), "guide.html");
  EXPECT_EQ(page->source().fragment(), "keys");

  // The web goes to the desktop's browser; the window stays where it was.
  EXPECT_TRUE(catcher.urls.isEmpty());
  emit page->anchorClicked(QUrl("https://www.irs.gov/forms"));
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls[0], QUrl("https://www.irs.gov/forms"));
  EXPECT_EQ(page->source().fileName(), "guide.html");
}

TEST_F(HelpWindowTest, SearchFindsAsTypedAndGoesRound) {
  CHelpWindow help(Folder(), {"guide.html"});
  ASSERT_TRUE(help.ShowPage("guide.html"));
  QTest::keyClicks(help.SearchBox(), "press f6");
  QTextBrowser* page = help.Browser();
  EXPECT_EQ(page->textCursor().selectedText(), "Press F6");  // letter case aside
  const int first = page->textCursor().selectionStart();
  QTest::keyClick(help.SearchBox(), Qt::Key_Return);
  const int second = page->textCursor().selectionStart();
  EXPECT_GT(second, first);
  EXPECT_TRUE(help.FindNext());  // round to the first again
  EXPECT_EQ(page->textCursor().selectionStart(), first);
  EXPECT_TRUE(help.FindNext(true));  // and back round to the second
  EXPECT_EQ(page->textCursor().selectionStart(), second);
  help.SearchBox()->setText("no such words");
  EXPECT_FALSE(help.FindNext());
}

}  // namespace
}  // namespace formet
