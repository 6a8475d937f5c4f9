#pragma once
// The pages of the main window's page area.
#include <QWidget>

#include "app/frame_rules.h"
#include "store/global_doc.h"

namespace formet {

class UiServices;

// A page: shown one at a time in the page area; it takes the document's
// records on every refresh.
class CPage : public QWidget, public DocumentView {
  Q_OBJECT
 public:
  CPage(CGlobalDoc& doc, QWidget* parent);
  // Called after the page was shown by the navigation bar (the form pages
  // refresh their data from the document then).
  virtual void OnShown() {}
  void OnDocumentRefresh() override {}

 protected:
  CGlobalDoc& doc_;
};

// A page with a title, for the pages whose content comes with its subsystem.
class CTitledPage : public CPage {
  Q_OBJECT
 public:
  CTitledPage(CGlobalDoc& doc, const QString& title, const QString& note, QWidget* parent);
};

class CWelcomeScreen : public CPage {
  Q_OBJECT
 public:
  CWelcomeScreen(CGlobalDoc& doc, QWidget* parent);
};

// Creates the page of each Page value.
CPage* CreatePage(Page page, CGlobalDoc& doc, UiServices& ui, QWidget* parent);

}  // namespace formet
