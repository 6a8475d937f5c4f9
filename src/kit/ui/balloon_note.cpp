#include "kit/ui/balloon_note.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace formet {
namespace {
constexpr int kArrow = 12;   // height of the pointer
constexpr int kRadius = 6;
constexpr int kMoveSlack = 24;  // pixels the mouse may move before a note without a time limit closes
}  // namespace

QPointer<CBalloonNote> CBalloonNote::current_;

CBalloonNote::CBalloonNote(const QString& title, const QString& text)
    : QFrame(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::WindowTransparentForInput) {
  // A note never takes the focus, a click or a key: a click on it reaches the
  // window under it (and closes the note on its way).
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setObjectName(QStringLiteral("BalloonNote"));
  title_ = new QLabel(title, this);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  text_ = new QLabel(text, this);
  text_->setWordWrap(true);
  text_->setTextFormat(Qt::PlainText);
  const QFontMetrics fm(text_->font());
  // Short notes on one line; long ones wrap at a readable width.
  text_->setMaximumWidth(fm.averageCharWidth() * 64);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 8 + kArrow, 12, 10);
  layout->setSpacing(4);
  layout->addWidget(title_);
  layout->addWidget(text_);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
  setPalette(p);
}

CBalloonNote* CBalloonNote::Current() { return current_.data(); }
QString CBalloonNote::Title() const { return title_->text(); }
QString CBalloonNote::Text() const { return text_->text(); }

CBalloonNote* CBalloonNote::Show(QWidget* anchor, const QString& title, const QString& text, int closeAfterMs) {
  if (current_) current_->close();
  if (!anchor) return nullptr;
  auto* note = new CBalloonNote(title, text);
  current_ = note;
  note->adjustSize();
  note->PlaceAt(anchor->mapToGlobal(anchor->rect().center()));
  note->mouseAtShow_ = QCursor::pos();
  note->show();
  qApp->installEventFilter(note);
  if (closeAfterMs > 0) QTimer::singleShot(closeAfterMs, note, &QWidget::close);
  return note;
}

void CBalloonNote::PlaceAt(const QPoint& tip) {
  tip_ = tip;
  QPoint topLeft(tip.x() - width() / 4, tip.y());
  if (const QScreen* screen = QGuiApplication::screenAt(tip)) {
    const QRect area = screen->availableGeometry();
    topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
    topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height())));
  }
  move(topLeft);
}

bool CBalloonNote::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      if ((static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - mouseAtShow_).manhattanLength() >
          kMoveSlack)
        close();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::WindowDeactivate:
      close();
      break;
    default: break;
  }
  return QFrame::eventFilter(watched, event);
}

void CBalloonNote::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF body = QRectF(rect()).adjusted(0.5, kArrow + 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(body, kRadius, kRadius);
  // The pointer, from the top edge to the point the note shows.
  const qreal x = std::clamp<qreal>(tip_.x() - mapToGlobal(QPoint(0, 0)).x(), kRadius + 8, width() - kRadius - 8);
  QPainterPath arrow;
  arrow.moveTo(x - 8, body.top() + 1);
  arrow.lineTo(x, 0.5);
  arrow.lineTo(x + 8, body.top() + 1);
  arrow.closeSubpath();
  path = path.united(arrow);
  painter.setPen(QPen(QColor(0x76, 0x76, 0x76), 1));
  painter.setBrush(QColor(0xff, 0xff, 0xe1));
  painter.drawPath(path);
}

}  // namespace formet
