// The navigation bar as the main window uses it: one "Shortcuts" folder
// with the nine pages, large icons, background RGB(255, 249, 248) and the
// 200 ms click animation. Item indexes are the page numbers of the frame.
#pragma once

#include <QWidget>

#include "shell/ui/navbar/gfx_out_bar_ctrl.h"

namespace formet {

// Flags of the program's bar: large icons, no dragging, no kept frame,
// folder animation (bits 2-6 and 8).
constexpr unsigned kProgramNavBarFlags = 380;
constexpr int kProgramNavBarAnimationMs = 200;
constexpr int kProgramNavItemCount = 9;

// Adds the folder, the items and the icons to an empty bar and selects
// folder 0 (which emits folderSelected(0)).
void ConfigureProgramNavBar(CGfxOutBarCtrl& bar);

// A new bar with the program's flags, configured as above.
CGfxOutBarCtrl* CreateProgramNavBar(QWidget* parent);

}  // namespace formet
