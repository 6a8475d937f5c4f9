#include "kit/ui/pages.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <QVBoxLayout>

namespace formet {

CPage::CPage(CGlobalDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(255, 255, 255));
  setPalette(p);
}

CFittingScrollArea::CFittingScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  setWidget(content);
  viewport()->setAutoFillBackground(false);
  content->setAutoFillBackground(false);
}

QSize CFittingScrollArea::sizeHint() const {
  const QSize content = widget() ? widget()->sizeHint() : QSize();
  const int frame = 2 * frameWidth();
  return content + QSize(frame, frame);
}

CArtView::CArtView(Paint paint, QSize size, bool shrinks, QWidget* parent)
    : QWidget(parent), paint_(paint), size_(size), shrinks_(shrinks) {
  QSizePolicy policy(shrinks ? QSizePolicy::Preferred : QSizePolicy::Fixed,
                     shrinks ? QSizePolicy::Preferred : QSizePolicy::Fixed);
  policy.setHeightForWidth(shrinks);
  setSizePolicy(policy);
}

QSize CArtView::minimumSizeHint() const {
  if (!shrinks_) return size_;
  return QSize(size_.width() / 3, heightForWidth(size_.width() / 3));
}

int CArtView::heightForWidth(int width) const {
  if (!shrinks_ || width >= size_.width()) return size_.height();
  return size_.height() * width / std::max(size_.width(), 1);
}

void CArtView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const qreal scale = shrinks_ ? std::min(1.0, static_cast<qreal>(width()) / size_.width()) : 1.0;
  p.translate((width() - size_.width() * scale) / 2, 0);
  p.scale(scale, scale);
  paint_(p);
}

CTitledPage::CTitledPage(CGlobalDoc& doc, const QString& title, const QString& note, QWidget* parent)
    : CPage(doc, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  auto* heading = new QLabel(title, this);
  QFont f = heading->font();
  f.setPointSizeF(f.pointSizeF() * 1.6);
  f.setBold(true);
  heading->setFont(f);
  heading->setStyleSheet("color: #1f3b5c;");
  layout->addWidget(heading);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setStyleSheet("color: #c9d3de;");
  layout->addWidget(rule);
  if (!note.isEmpty()) {
    auto* text = new QLabel(note, this);
    text->setWordWrap(true);
    text->setStyleSheet("color: #4a5866;");
    layout->addWidget(text);
  }
  layout->addStretch(1);
}

}  // namespace formet
