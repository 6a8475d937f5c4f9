#include "kit/ui/color_button.h"

#include <QApplication>

namespace formet {

CColorButton::CColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  SetColors({}, {});
  setAutoDefault(false);
}

void CColorButton::SetColors(const QColor& face, const QColor& text) {
  QPalette p = palette();
  const QPalette system = QApplication::palette();
  p.setColor(QPalette::Button, face.isValid() ? face : system.color(QPalette::Button));
  p.setColor(QPalette::ButtonText, text.isValid() ? text : system.color(QPalette::ButtonText));
  setPalette(p);
}

}  // namespace formet
