#include "shell/ui/navbar/program_nav_bar.h"

#include <QColor>

#include "shell/ui/art/program_art.h"

namespace formet {

namespace {

struct NavItem {
  const char* label;
  int image;
};

constexpr NavItem kItems[kProgramNavItemCount] = {
    {"Company Info", 0}, {"Employees", 1}, {"Contractors", 1}, {"W2 Forms", 4},
    {"W3 Form", 4},      {"W2c Forms", 4},  {"1099 Forms", 4}, {"1096 Form", 4}, {"Review", 4},
};

}  // namespace

void ConfigureProgramNavBar(CGfxOutBarCtrl& bar) {
  bar.SetBackgroundColor(QColor(255, 249, 248));
  bar.SetIconList(art::NavIcons(), CGfxOutBarCtrl::fLargeIconList);
  bar.SetClickAnimationPeriod(kProgramNavBarAnimationMs);
  const int folder = bar.AppendFolder(QStringLiteral("Shortcuts"), 0);
  for (int i = 0; i < kProgramNavItemCount; ++i)
    bar.InsertFolderItem(folder, i, QString::fromLatin1(kItems[i].label), kItems[i].image, i);
  bar.SelectFolder(0);
}

CGfxOutBarCtrl* CreateProgramNavBar(QWidget* parent) {
  auto* bar = new CGfxOutBarCtrl(kProgramNavBarFlags, parent);
  ConfigureProgramNavBar(*bar);
  return bar;
}

}  // namespace formet
