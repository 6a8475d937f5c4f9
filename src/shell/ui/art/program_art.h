// The program's pictures, painted at run time: the navigation bar's icons,
// the splash picture, the welcome page's picture and the About picture.
#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QSize>

class QPainter;

namespace formet::art {

inline constexpr int kNavIconSize = 32;
inline constexpr int kNavIconCount = 7;
inline constexpr QSize kSplashSize{409, 261};
inline constexpr QSize kWelcomeSize{620, 340};
inline constexpr QSize kAboutSize{64, 64};
inline constexpr char kVersionText[] = "4.0.11";

// Indexes in the icon strip.
enum NavIcon {
  kIconCompany = 0,      // an office building
  kIconPeople = 1,       // two people
  kIconBriefcase = 2,    // a briefcase
  kIconTransmittal = 3,  // a stack of forms
  kIconTaxForm = 4,      // a red-ink tax form
  kIconPrinter = 5,      // a printer with a printed form
  kIconImport = 6,       // a text file brought into a form
};

// One strip of seven 32x32 icons side by side (224x32) on a transparent
// background.
QPixmap NavIconStrip();
// The strip cut into its icons, `iconWidth` pixels each.
QList<QPixmap> SplitIconStrip(const QPixmap& strip, int iconWidth = kNavIconSize);
// The seven icons of the strip, in order.
QList<QPixmap> NavIcons();
// One icon of the strip drawn at any size (for dialogs or larger views).
QPixmap NavIcon(int index, int size);

// The pictures are painted, not loaded: each Paint* draws its picture in
// logical pixels (0,0 to its size) on any painter, so a widget draws it
// sharp at its screen's device pixel ratio and at any scale. The *Picture
// functions render one at a device pixel ratio (a pixmap of size * dpr
// pixels that reports the logical size).
void PaintSplash(QPainter& p);   // kSplashSize
void PaintWelcome(QPainter& p);  // kWelcomeSize
void PaintAbout(QPainter& p);    // kAboutSize, the program's emblem
QPixmap SplashPicture(qreal dpr = 1);
QPixmap WelcomePicture(qreal dpr = 1);
QPixmap AboutPicture(qreal dpr = 1);
// The emblem at the usual window-icon sizes, which are also the sizes of the
// icon files installed for the desktop's menus.
inline constexpr int kDesktopIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
QIcon ProgramIcon();

}  // namespace formet::art
