#pragma once
// The pages of the main window: which page each navigation item shows, made
// once and linked where they work together.
#include <array>

#include "kit/ui/pages.h"
#include "shell/frame_rules.h"

namespace formet {

class CWelcomeScreen : public CPage {
  Q_OBJECT
 public:
  CWelcomeScreen(CGlobalDoc& doc, QWidget* parent);
};

// Creates the page of each Page value.
CPage* CreatePage(Page page, CGlobalDoc& doc, UiServices& ui, QWidget* parent);
// Links the pages that work together (the payee pages and the form pages),
// once all of them exist; `pages` in the order of Page.
void ConnectPages(const std::array<CPage*, kPageCount>& pages);

}  // namespace formet
