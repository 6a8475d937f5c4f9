#pragma once
// A balloon note: a small window with a title and a text that points at the
// centre of a control. It closes by itself after a time when one is given,
// else when the mouse moves away or a key or button is pressed.
#include <QFrame>
#include <QPoint>
#include <QPointer>

class QLabel;

namespace formet {

class CBalloonNote : public QFrame {
  Q_OBJECT
 public:
  // Shows a note at the centre of `anchor` (replacing the note shown
  // before); `closeAfterMs` 0 means no time limit.
  static CBalloonNote* Show(QWidget* anchor, const QString& title, const QString& text, int closeAfterMs);
  // The note shown now, if any.
  static CBalloonNote* Current();

  QString Title() const;
  QString Text() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  CBalloonNote(const QString& title, const QString& text);
  void PlaceAt(const QPoint& tip);

  QLabel* title_;
  QLabel* text_;
  QPoint tip_;           // where the note points (global)
  QPoint mouseAtShow_;   // the mouse moving away from here closes a note without a time limit
  static QPointer<CBalloonNote> current_;
};

}  // namespace formet
