#pragma once
// A push button drawn in colours of its own (by default the system's button
// colours), for pages with a background of their own.
#include <QColor>
#include <QPushButton>

namespace formet {

class CColorButton : public QPushButton {
  Q_OBJECT
 public:
  explicit CColorButton(const QString& text, QWidget* parent = nullptr);
  // The face and text colours; invalid colours take the system's.
  void SetColors(const QColor& face, const QColor& text);
};

}  // namespace formet
