#pragma once
// The pages of the main window's page area, and the widgets they share.
#include <QScrollArea>
#include <QWidget>

#include "store/global_doc.h"
#include "store/ui_services.h"

namespace formet {

// A page: shown one at a time in the page area; it takes the document's
// records on every refresh.
class CPage : public QWidget, public DocumentView {
  Q_OBJECT
 public:
  CPage(CGlobalDoc& doc, QWidget* parent);
  // Called after the page was shown by the navigation bar (the form pages
  // refresh their data from the document then).
  virtual void OnShown() {}
  // Called before the page is hidden for another page; false keeps the page.
  virtual bool OnHidden() { return true; }
  // Called before the company closes while the page is shown (the window
  // closed, another company opened or made); false keeps the company open.
  virtual bool OnCompanyClosing() { return OnHidden(); }
  // The control a note of the page points at, if the page has it.
  virtual QWidget* NoteAnchorWidget(NoteAnchor) const { return nullptr; }
  void OnDocumentRefresh() override {}

 signals:
  // What HasUnsavedEdits() answers may have changed.
  void editsChanged();

 protected:
  CGlobalDoc& doc_;
};

// A page with a title, for the pages whose content comes with its subsystem.
class CTitledPage : public CPage {
  Q_OBJECT
 public:
  CTitledPage(CGlobalDoc& doc, const QString& title, const QString& note, QWidget* parent);
};

// A scroll area around `content` that asks for the content's whole size, so
// that a page or tab shows everything when there is room and scrolls (both
// ways) when the window or a larger font makes it too small.
class CFittingScrollArea : public QScrollArea {
  Q_OBJECT
 public:
  explicit CFittingScrollArea(QWidget* content, QWidget* parent = nullptr);
  QSize sizeHint() const override;
};

// One of the program's painted pictures (art::Paint*), drawn by the widget
// itself: sharp at any device pixel ratio, and scaled down (never up) to the
// widget's width when `shrinks` is set.
class CArtView : public QWidget {
  Q_OBJECT
 public:
  using Paint = void (*)(QPainter&);
  CArtView(Paint paint, QSize size, bool shrinks, QWidget* parent = nullptr);
  QSize sizeHint() const override { return size_; }
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return shrinks_; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Paint paint_;
  QSize size_;
  bool shrinks_;
};

}  // namespace formet
