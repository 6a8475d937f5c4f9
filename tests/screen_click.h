#pragma once
// Mouse clicks as the window system delivers them: at a point of the screen,
// to the topmost window there that takes input (a tool tip or a popup lies
// above the main window), and inside it to the widget under the point.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace formet::test {

// The window a click at `global` lands on, or null.
inline QWindow* WindowAt(QPoint global) {
  QWindow* found = nullptr;
  for (QWindow* w : QGuiApplication::topLevelWindows()) {
    if (!w->isVisible() || !w->geometry().contains(global)) continue;
    if (w->flags().testFlag(Qt::WindowTransparentForInput)) continue;
    const bool onTop = w->type() == Qt::ToolTip || w->type() == Qt::Popup;
    if (!found || onTop) found = w;
  }
  return found;
}

inline void ClickOnScreen(QPoint global) {
  QWindow* window = WindowAt(global);
  ASSERT_NE(window, nullptr) << "no window at " << global.x() << "," << global.y();
  QTest::mouseClick(window, Qt::LeftButton, {}, window->mapFromGlobal(global));
}

// A click at `local` in `widget`, through whatever window lies there.
inline void ClickAt(QWidget* widget, QPoint local) { ClickOnScreen(widget->mapToGlobal(local)); }

}  // namespace formet::test
