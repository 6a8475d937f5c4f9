#include "kit/ui/window_fit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace formet {
namespace {

class DialogHeightFilter : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto type = event->type();
    if (type != QEvent::Show && type != QEvent::Resize && type != QEvent::LayoutRequest) return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    // A message box sizes its own text.
    if (!dialog || !dialog->isWindow() || qobject_cast<QMessageBox*>(dialog)) return false;
    if (type == QEvent::LayoutRequest) {
      // The layout takes the request after this filter: measure once it has.
      QPointer<QDialog> later(dialog);
      QMetaObject::invokeMethod(
          this, [later] { if (later) FitHeightToWidth(later); }, Qt::QueuedConnection);
    } else {
      FitHeightToWidth(dialog);
    }
    return false;
  }
};

}  // namespace

void FitHeightToWidth(QWidget* window) {
  QLayout* layout = window->layout();
  if (!layout || !layout->hasHeightForWidth() || !window->isVisible()) return;
  int needed = std::max(layout->totalHeightForWidth(window->width()), layout->totalMinimumSize().height());
  if (const QScreen* screen = window->screen()) needed = std::min(needed, screen->availableGeometry().height());
  if (needed != window->minimumHeight()) window->setMinimumHeight(needed);
}

void KeepDialogsTallEnough(QApplication& app) { app.installEventFilter(new DialogHeightFilter(&app)); }

}  // namespace formet
