#pragma once
// A dialog whose layout holds wrapped text (a label of several lines) needs
// more height the narrower it is, which the window system's minimum size does
// not follow: with a larger font the dialog opened too short and its rows
// overlapped. KeepDialogsTallEnough makes every dialog of the program at
// least as tall as its layout needs at its present width (up to the screen's
// height), when it is shown, resized, or its content changes.
class QApplication;
class QWidget;

namespace formet {

void KeepDialogsTallEnough(QApplication& app);
// The same for one window at once (what the filter does on each event).
void FitHeightToWidth(QWidget* window);

}  // namespace formet
