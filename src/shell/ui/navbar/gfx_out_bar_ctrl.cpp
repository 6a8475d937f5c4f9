#include "shell/ui/navbar/gfx_out_bar_ctrl.h"

#include <QEasingCurve>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QVariantAnimation>

#include <algorithm>
#include <climits>

namespace formet {

namespace {

constexpr int kSmallIconDefault = 16;
constexpr int kLargeIconDefault = 32;
constexpr int kFolderAnimationMs = 180;
constexpr int kAnimationLastCount = 10;  // the pulse counter restarts at -1 after this

constexpr int kLabelFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

int Lerp(int from, int to, double t) { return from + static_cast<int>((to - from) * t + (to > from ? 0.5 : -0.5)); }

}  // namespace

CGfxOutBarCtrl::CGfxOutBarCtrl(unsigned flags, QWidget* parent)
    : QWidget(parent),
      flags_(flags),
      background_(palette().color(QPalette::Dark)),
      text_(palette().color(QPalette::WindowText)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);  // Tab reaches the items
  // The right button does nothing: no menu here, none from the parent either.
  setContextMenuPolicy(Qt::PreventContextMenu);
  setAttribute(Qt::WA_OpaquePaintEvent);

  scrollTimer_ = new QTimer(this);
  scrollTimer_->setObjectName(QStringLiteral("scrollRepeatTimer"));
  scrollTimer_->setInterval(kScrollRepeatMs);
  connect(scrollTimer_, &QTimer::timeout, this, &CGfxOutBarCtrl::OnScrollTick);

  animTimer_ = new QTimer(this);
  animTimer_->setObjectName(QStringLiteral("clickAnimationTimer"));
  connect(animTimer_, &QTimer::timeout, this, &CGfxOutBarCtrl::OnAnimationTick);

  folderAnim_ = new QVariantAnimation(this);
  folderAnim_->setStartValue(0.0);
  folderAnim_->setEndValue(1.0);
  folderAnim_->setDuration(kFolderAnimationMs);
  folderAnim_->setEasingCurve(QEasingCurve::OutCubic);
  connect(folderAnim_, &QVariantAnimation::valueChanged, this, [this] { update(); });
  connect(folderAnim_, &QVariantAnimation::finished, this, [this] {
    animFrom_ = QPixmap();
    animTo_ = QPixmap();
    update();
  });
}

CGfxOutBarCtrl::~CGfxOutBarCtrl() = default;

void CGfxOutBarCtrl::CreateBar(const QRect& rect, QWidget* parent, unsigned flags) {
  setParent(parent);
  flags_ = flags;
  firstItem_ = 0;
  setGeometry(rect);
  show();
}

// ---------------------------------------------------------------------------
// Contents

QList<QPixmap> CGfxOutBarCtrl::SetIconList(const QList<QPixmap>& icons, int which) {
  QList<QPixmap>* target = which == fSmallIconList ? &smallIcons_ : which == fLargeIconList ? &largeIcons_ : nullptr;
  if (target == nullptr) return {};
  QList<QPixmap> previous = *target;
  *target = icons;
  update();
  return previous;
}

QList<QPixmap> CGfxOutBarCtrl::IconList(int which) const {
  if (which == fSmallIconList) return smallIcons_;
  if (which == fLargeIconList) return largeIcons_;
  return {};
}

int CGfxOutBarCtrl::AppendFolder(const QString& name, qintptr data) {
  folders_.push_back(Folder{name, data, {}});
  update();
  return GetFolderCount() - 1;
}

int CGfxOutBarCtrl::InsertFolderItem(int folder, int index, const QString& text, int image, qintptr data) {
  if (folder < 0 || folder >= GetFolderCount()) return -1;
  auto& items = folders_[folder].items;
  if (index < 0 || index > static_cast<int>(items.size())) index = static_cast<int>(items.size());
  items.insert(items.begin() + index, Item{text, image, data});
  if (folder == selFolder_) {
    // Indexes after the insertion point moved one down.
    if (lastClicked_ >= index) ++lastClicked_;
    hotItem_ = -1;
    update();
  }
  return index;
}

void CGfxOutBarCtrl::SelectFolder(int index) {
  if (index < 0 || index >= GetFolderCount()) return;
  const int old = selFolder_;
  const bool animate = (flags_ & fAnimation) && index != old && isVisible() && width() > 0 && height() > 0;
  if (animate) {
    folderAnim_->stop();
    animFrom_ = RenderState();
  }
  EndTracking();
  selFolder_ = index;
  firstItem_ = 0;
  hotItem_ = -1;
  if (index != old) {
    lastClicked_ = -1;
    animCounter_ = -1;
    focusItem_ = -1;
  }
  if (animate) {
    animTo_ = RenderState();
    animOldFolder_ = old;
    folderAnim_->start();
  }
  emit folderSelected(index);
  update();
}

QString CGfxOutBarCtrl::GetFolderText(int folder) const {
  return folder >= 0 && folder < GetFolderCount() ? folders_[folder].name : QString();
}

qintptr CGfxOutBarCtrl::GetFolderData(int folder) const {
  return folder >= 0 && folder < GetFolderCount() ? folders_[folder].data : 0;
}

int CGfxOutBarCtrl::GetItemCount(int folder) const {
  return folder >= 0 && folder < GetFolderCount() ? static_cast<int>(folders_[folder].items.size()) : 0;
}

QString CGfxOutBarCtrl::GetItemText(int folder, int index) const {
  return index >= 0 && index < GetItemCount(folder) ? folders_[folder].items[index].text : QString();
}

int CGfxOutBarCtrl::GetItemImage(int folder, int index) const {
  return index >= 0 && index < GetItemCount(folder) ? folders_[folder].items[index].image : -1;
}

qintptr CGfxOutBarCtrl::GetItemData(int folder, int index) const {
  return index >= 0 && index < GetItemCount(folder) ? folders_[folder].items[index].data : 0;
}

void CGfxOutBarCtrl::UseSmallIcons(bool on) {
  if (UsesSmallIcons() == on) return;
  flags_ = on ? (flags_ | fSmallIcon) : (flags_ & ~static_cast<unsigned>(fSmallIcon));
  firstItem_ = 0;
  hotItem_ = -1;
  update(GetInsideRect());
}

void CGfxOutBarCtrl::SetClickAnimationPeriod(int ms) {
  animPeriod_ = std::max(ms, 0);
  if (ms > 0) {
    animTimer_->start(ms);
  } else {
    animTimer_->stop();
    animCounter_ = -1;
    UpdateIcon(lastClicked_);
  }
}

void CGfxOutBarCtrl::SetBackgroundColor(const QColor& color) {
  background_ = color;
  update();
}

void CGfxOutBarCtrl::SetTextColor(const QColor& color) {
  text_ = color;
  update();
}

// ---------------------------------------------------------------------------
// Geometry

const CGfxOutBarCtrl::Folder* CGfxOutBarCtrl::SelectedFolder() const {
  return selFolder_ >= 0 && selFolder_ < GetFolderCount() ? &folders_[selFolder_] : nullptr;
}

QSize CGfxOutBarCtrl::IconSize() const {
  if (UsesSmallIcons()) {
    if (!smallIcons_.isEmpty()) return smallIcons_.first().deviceIndependentSize().toSize();
    return {kSmallIconDefault, kSmallIconDefault};
  }
  if (!largeIcons_.isEmpty()) return largeIcons_.first().deviceIndependentSize().toSize();
  return {kLargeIconDefault, kLargeIconDefault};
}

QRect CGfxOutBarCtrl::GetFolderRect(int folder) const {
  const int count = GetFolderCount();
  if (folder < 0 || folder >= count) return {};
  const int top = folder <= selFolder_ ? folder * kFolderHeight : height() - (count - folder) * kFolderHeight;
  return {0, top, width(), kFolderHeight};
}

QRect CGfxOutBarCtrl::GetInsideRect() const {
  const int count = GetFolderCount();
  if (count == 0) return rect();
  const int top = (selFolder_ + 1) * kFolderHeight;
  const int bottom = height() - (count - selFolder_ - 1) * kFolderHeight;
  return {0, top, width(), std::max(0, bottom - top)};
}

std::vector<CGfxOutBarCtrl::ItemGeometry> CGfxOutBarCtrl::LayoutItems(bool all) const {
  std::vector<ItemGeometry> out;
  const Folder* folder = SelectedFolder();
  if (folder == nullptr) return out;
  const QRect inside = GetInsideRect();
  const QSize icon = IconSize();
  const QFontMetrics fm(font());
  const bool small = UsesSmallIcons();
  int y = inside.top() + kTopMargin;
  for (int i = firstItem_; i < static_cast<int>(folder->items.size()); ++i) {
    if (!all && y >= inside.bottom() + 1) break;
    const QString& text = folder->items[i].text;
    ItemGeometry g;
    g.index = i;
    int advance = 0;
    if (small) {
      g.icon = QRect(inside.left() + kLeftMargin, y, icon.width(), icon.height());
      const int textLeft = g.icon.right() + 1 + kSmallLabelGap;
      const int textWidth = std::min(fm.horizontalAdvance(text), std::max(0, inside.right() - kLeftMargin - textLeft + 1));
      const int row = std::max(icon.height(), fm.height());
      g.icon.moveTop(y + (row - icon.height()) / 2);
      g.label = QRect(textLeft, y + (row - fm.height()) / 2, textWidth, fm.height());
      g.bottom = y + row;
      advance = row + kSmallIconSpacing;
    } else {
      g.icon = QRect(inside.left() + (inside.width() - icon.width()) / 2, y, icon.width(), icon.height());
      const int avail = std::max(1, inside.width() - 2 * kLeftMargin);
      const QRect text_box = fm.boundingRect(QRect(0, 0, avail, INT_MAX / 2), kLabelFlags, text);
      const int top = y + icon.height() + kLargeLabelGap;
      g.label = QRect(inside.left() + (inside.width() - text_box.width()) / 2, top, text_box.width(), text_box.height());
      g.bottom = top + text_box.height();
      advance = icon.height() + kLargeLabelGap + text_box.height() + kLargeIconSpacing;
    }
    out.push_back(g);
    y += advance;
  }
  return out;
}

std::vector<CGfxOutBarCtrl::ItemGeometry> CGfxOutBarCtrl::ShownItems() const {
  auto items = LayoutItems(false);
  if (!IsDownArrowShown()) return items;
  // With the down arrow shown, an item is shown whole or not at all, and
  // never under the arrow: its label would be cut or covered.
  const int limit = GetDownArrowRect().top() - 2;
  std::erase_if(items, [limit](const ItemGeometry& g) { return g.bottom > limit; });
  return items;
}

std::vector<int> CGfxOutBarCtrl::ShownItemIndexes() const {
  std::vector<int> indexes;
  for (const auto& g : ShownItems()) indexes.push_back(g.index);
  return indexes;
}

bool CGfxOutBarCtrl::CanScrollDown() const {
  const auto items = LayoutItems(true);
  return !items.empty() && items.back().bottom > GetInsideRect().bottom() + 1;
}

QRect CGfxOutBarCtrl::GetIconRect(int index) const {
  for (const auto& g : LayoutItems(true))
    if (g.index == index) return g.icon;
  return {};
}

QRect CGfxOutBarCtrl::GetLabelRect(int index) const {
  for (const auto& g : LayoutItems(true))
    if (g.index == index) return g.label;
  return {};
}

bool CGfxOutBarCtrl::IsUpArrowShown() const { return firstItem_ > 0 && SelectedFolder() != nullptr; }

bool CGfxOutBarCtrl::IsDownArrowShown() const { return CanScrollDown(); }

QRect CGfxOutBarCtrl::GetUpArrowRect() const {
  const QRect inside = GetInsideRect();
  return {inside.right() - 3 - kArrowSize + 1, inside.top() + 3, kArrowSize, kArrowSize};
}

QRect CGfxOutBarCtrl::GetDownArrowRect() const {
  const QRect inside = GetInsideRect();
  return {inside.right() - 3 - kArrowSize + 1, inside.bottom() - 3 - kArrowSize + 1, kArrowSize, kArrowSize};
}

int CGfxOutBarCtrl::HitTestEx(const QPoint& point, int& index) const {
  index = -1;
  if (!rect().contains(point)) return htNothing;
  if (IsUpArrowShown() && GetUpArrowRect().contains(point)) return htUpScroll;
  if (IsDownArrowShown() && GetDownArrowRect().contains(point)) return htDownScroll;
  for (int f = 0; f < GetFolderCount(); ++f) {
    if (GetFolderRect(f).contains(point)) {
      index = f;
      return htFolder;
    }
  }
  const QRect inside = GetInsideRect();
  if (!inside.contains(point)) return htNothing;
  for (const auto& g : ShownItems()) {
    const bool hit = UsesSmallIcons() ? g.icon.united(g.label).contains(point)
                                      : g.icon.contains(point) || g.label.contains(point);
    if (hit) {
      index = g.index;
      return htItem;
    }
  }
  return htNothing;
}

int CGfxOutBarCtrl::GetPressedItem() const {
  return track_ == Track::Item && trackOver_ ? trackIndex_ : -1;
}

QPoint CGfxOutBarCtrl::GetClickAnimationOffset() const {
  if (lastClicked_ < 0 || animPeriod_ <= 0) return {};
  if (animCounter_ == 0) return {-1, 1};
  if (animCounter_ == 2) return {1, 1};
  return {};
}

QSize CGfxOutBarCtrl::sizeHint() const { return {120, 400}; }

QSize CGfxOutBarCtrl::minimumSizeHint() const { return {48, kFolderHeight * std::max(1, GetFolderCount())}; }

// ---------------------------------------------------------------------------
// Mouse and keys

void CGfxOutBarCtrl::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || track_ != Track::None) return;
  int index = -1;
  const int hit = HitTestEx(event->position().toPoint(), index);
  switch (hit) {
    case htItem:
      setFocus(Qt::MouseFocusReason);
      SetHotItem(-1);
      track_ = Track::Item;
      break;
    case htFolder:
      track_ = Track::Folder;
      break;
    case htUpScroll:
    case htDownScroll:
      setFocus(Qt::MouseFocusReason);
      track_ = hit == htUpScroll ? Track::UpArrow : Track::DownArrow;
      scrollTimer_->start(kScrollRepeatMs);
      break;
    default:
      return;
  }
  trackIndex_ = index;
  trackOver_ = true;
  update();
}

void CGfxOutBarCtrl::mouseMoveEvent(QMouseEvent* event) {
  int index = -1;
  const int hit = HitTestEx(event->position().toPoint(), index);
  if (hit == htFolder) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
  bool over = false;
  switch (track_) {
    case Track::None:
      SetHotItem(hit == htItem ? index : -1);
      return;
    case Track::Item:
      over = hit == htItem && index == trackIndex_;
      break;
    case Track::Folder:
      over = hit == htFolder && index == trackIndex_;
      break;
    case Track::UpArrow:
      over = hit == htUpScroll;
      break;
    case Track::DownArrow:
      over = hit == htDownScroll;
      break;
  }
  if (over != trackOver_) {
    trackOver_ = over;
    update();
  }
}

void CGfxOutBarCtrl::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || track_ == Track::None) return;
  const Track track = track_;
  const int pressed = trackIndex_;
  EndTracking();
  int index = -1;
  const int hit = HitTestEx(event->position().toPoint(), index);
  switch (track) {
    case Track::Item:
      if (hit == htItem && index == pressed) {
        hotItem_ = pressed;
        focusItem_ = pressed;
        ClickItem(pressed);
        return;
      }
      SetHotItem(hit == htItem ? index : -1);
      break;
    case Track::Folder:
      if (hit == htFolder && index != selFolder_) {
        SelectFolder(index);
        return;
      }
      break;
    default:
      break;
  }
  update();
}

void CGfxOutBarCtrl::ClickItem(int index) {
  if (index < 0 || index >= GetItemCount(selFolder_)) return;
  const int previous = lastClicked_;
  lastClicked_ = index;
  animCounter_ = -1;
  UpdateIcon(previous);
  UpdateIcon(index);
  update();
  emit itemClicked(index);
}

void CGfxOutBarCtrl::SetFocusItem(int index) {
  const int count = GetItemCount(selFolder_);
  if (index >= count) index = count - 1;
  focusItem_ = index < 0 ? -1 : index;
  if (focusItem_ >= 0) {
    // Scrolls until the item is drawn whole.
    if (focusItem_ < firstItem_) firstItem_ = focusItem_;
    const auto shown = [this] {
      const auto items = ShownItemIndexes();
      return std::find(items.begin(), items.end(), focusItem_) != items.end();
    };
    while (!shown() && firstItem_ < focusItem_ && CanScrollDown()) ++firstItem_;
  }
  update();
}

void CGfxOutBarCtrl::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && (track_ == Track::UpArrow || track_ == Track::DownArrow)) {
    EndTracking();
    update();
    event->accept();
    return;
  }
  if (track_ == Track::None && event->modifiers() == Qt::NoModifier) {
    const int count = GetItemCount(selFolder_);
    const int at = focusItem_ < 0 ? 0 : focusItem_;
    switch (event->key()) {
      case Qt::Key_Up: SetFocusItem(std::max(0, at - 1)); event->accept(); return;
      case Qt::Key_Down: SetFocusItem(focusItem_ < 0 ? 0 : std::min(count - 1, at + 1)); event->accept(); return;
      case Qt::Key_Home: SetFocusItem(0); event->accept(); return;
      case Qt::Key_End: SetFocusItem(count - 1); event->accept(); return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Space:
        if (focusItem_ >= 0) ClickItem(focusItem_);
        event->accept();
        return;
      default: break;
    }
  }
  QWidget::keyPressEvent(event);
}

void CGfxOutBarCtrl::focusInEvent(QFocusEvent* event) {
  // The frame starts on the item last clicked (the page shown).
  if (focusItem_ < 0 && GetItemCount(selFolder_) > 0) SetFocusItem(std::max(0, lastClicked_));
  update();
  QWidget::focusInEvent(event);
}

void CGfxOutBarCtrl::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

void CGfxOutBarCtrl::leaveEvent(QEvent* event) {
  if (track_ == Track::None) SetHotItem(-1);
  QWidget::leaveEvent(event);
}

void CGfxOutBarCtrl::resizeEvent(QResizeEvent* event) {
  if (folderAnim_->state() == QAbstractAnimation::Running) folderAnim_->stop();
  QWidget::resizeEvent(event);
  update();
}

void CGfxOutBarCtrl::EndTracking() {
  track_ = Track::None;
  trackIndex_ = -1;
  trackOver_ = false;
  scrollTimer_->stop();
}

void CGfxOutBarCtrl::SetHotItem(int index) {
  if (index == hotItem_) return;
  const int previous = hotItem_;
  hotItem_ = index;
  UpdateIcon(previous);
  UpdateIcon(index);
}

void CGfxOutBarCtrl::UpdateIcon(int index) {
  if (index < 0) return;
  const QRect icon = GetIconRect(index);
  if (!icon.isEmpty()) update(icon.adjusted(-4, -4, 4, 4));
}

void CGfxOutBarCtrl::OnScrollTick() {
  if (!trackOver_) return;
  if (track_ == Track::UpArrow && firstItem_ > 0) {
    --firstItem_;
  } else if (track_ == Track::DownArrow && CanScrollDown()) {
    ++firstItem_;
  } else {
    return;
  }
  hotItem_ = -1;
  update(GetInsideRect());
}

void CGfxOutBarCtrl::OnAnimationTick() {
  if (lastClicked_ < 0) return;
  animCounter_ = animCounter_ >= kAnimationLastCount ? -1 : animCounter_ + 1;
  if (animCounter_ >= 0 && animCounter_ <= 3) UpdateIcon(lastClicked_);
}

// ---------------------------------------------------------------------------
// Painting

void CGfxOutBarCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (folderAnim_->state() != QAbstractAnimation::Running || animFrom_.isNull() || animTo_.isNull()) {
    PaintBar(painter);
    return;
  }
  // Slide the headers between the old and the new folder: downwards they
  // carry the new item area up from the bottom, upwards they push the old
  // item area down behind the headers that stay at the bottom.
  const double t = folderAnim_->currentValue().toDouble();
  const int count = GetFolderCount();
  const int h = kFolderHeight;
  const int oldSel = animOldFolder_;
  const int newSel = selFolder_;
  const qreal dpr = animTo_.devicePixelRatio();
  auto source = [dpr](int top, int bottom, int w) {
    return QRectF(0, top * dpr, w * dpr, std::max(0, bottom - top) * dpr);
  };
  if (newSel > oldSel) {
    const int pieceTop = (oldSel + 1) * h;
    const int staticTop = height() - (count - newSel - 1) * h;
    const int from = height() - (count - oldSel - 1) * h;
    const int y = Lerp(from, pieceTop, t);
    painter.drawPixmap(0, 0, animFrom_);
    painter.setClipRect(0, 0, width(), staticTop);
    painter.drawPixmap(QRectF(0, y, width(), staticTop - pieceTop), animTo_, source(pieceTop, staticTop, width()));
  } else {
    const int pieceTop = (newSel + 1) * h;
    const int staticTop = height() - (count - oldSel - 1) * h;
    const int to = height() - (count - newSel - 1) * h;
    const int y = Lerp(pieceTop, to, t);
    painter.drawPixmap(0, 0, animTo_);
    painter.setClipRect(0, 0, width(), staticTop);
    painter.drawPixmap(QRectF(0, y, width(), staticTop - pieceTop), animFrom_, source(pieceTop, staticTop, width()));
  }
}

QPixmap CGfxOutBarCtrl::RenderState() const {
  const qreal dpr = devicePixelRatioF();
  QPixmap pix(size() * dpr);
  pix.setDevicePixelRatio(dpr);
  QPainter painter(&pix);
  PaintBar(painter);
  return pix;
}

void CGfxOutBarCtrl::PaintBar(QPainter& painter) const {
  const QRect inside = GetInsideRect();
  painter.fillRect(inside, background_);
  PaintItems(painter);
  if (IsUpArrowShown()) PaintArrow(painter, GetUpArrowRect(), true, track_ == Track::UpArrow && trackOver_);
  if (IsDownArrowShown()) PaintArrow(painter, GetDownArrowRect(), false, track_ == Track::DownArrow && trackOver_);
  for (int f = 0; f < GetFolderCount(); ++f) {
    const bool pressed = track_ == Track::Folder && trackOver_ && trackIndex_ == f;
    PaintHeader(painter, GetFolderRect(f), folders_[f].name, pressed);
  }
}

void CGfxOutBarCtrl::PaintItems(QPainter& painter) const {
  const Folder* folder = SelectedFolder();
  if (folder == nullptr) return;
  const QRect inside = GetInsideRect();
  painter.save();
  painter.setClipRect(inside);
  painter.setFont(font());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const bool small = UsesSmallIcons();
  const QList<QPixmap>& icons = small && !smallIcons_.isEmpty() ? smallIcons_ : largeIcons_;
  const int pressed = GetPressedItem();
  for (const auto& g : ShownItems()) {
    const Item& item = folder->items[g.index];
    QRect iconRect = g.icon;
    if (g.index == lastClicked_) iconRect.translate(GetClickAnimationOffset());
    if (item.image >= 0 && item.image < icons.size()) painter.drawPixmap(iconRect, icons[item.image]);

    if (g.index == pressed) {
      Paint3dRect(painter, g.icon, false);
    } else if (g.index == hotItem_ && track_ == Track::None) {
      Paint3dRect(painter, g.icon, true);
    } else if ((flags_ & fSelHighlight) && g.index == lastClicked_) {
      Paint3dRect(painter, g.icon, false);
    }

    painter.setPen(text_);
    if (g.index == focusItem_ && hasFocus()) {
      // The keyboard's frame: a dotted line around the icon and its label.
      painter.save();
      QPen pen(text_, 1, Qt::DotLine);
      painter.setPen(pen);
      painter.setBrush(Qt::NoBrush);
      const QRect around = g.icon.united(g.label).adjusted(-3, -3, 2, 2);
      painter.drawRect(small ? around : QRect(inside.left() + 2, around.top(), inside.width() - 5, around.height()));
      painter.restore();
    }
    if (small) {
      const QRect area(g.label.left(), g.label.top(), std::max(1, inside.right() - kLeftMargin - g.label.left() + 1),
                       g.label.height());
      const QString text = painter.fontMetrics().elidedText(item.text, Qt::ElideRight, area.width());
      painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
    } else {
      const QRect area(inside.left() + kLeftMargin, g.label.top(), std::max(1, inside.width() - 2 * kLeftMargin),
                       g.label.height());
      painter.drawText(area, kLabelFlags, item.text);
    }
  }
  painter.restore();
}

void CGfxOutBarCtrl::Paint3dRect(QPainter& painter, const QRect& icon, bool raised) const {
  // Two lines around the icon, one pixel away from it, as a button edge:
  // light above and left, shadow below and right (the other way when sunken).
  const QColor hilight = background_.lightness() > 240 ? QColor(255, 255, 255) : background_.lighter(130);
  const QColor light = background_.darker(112);
  const QColor shadow = background_.darker(150);
  const QColor dark = background_.darker(260);
  const QColor outerTopLeft = raised ? light : shadow;
  const QColor innerTopLeft = raised ? hilight : dark;
  const QColor innerBottomRight = raised ? shadow : light;
  const QColor outerBottomRight = raised ? dark : hilight;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  auto edge = [&painter](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
    painter.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  };
  edge(icon.adjusted(-2, -2, 2, 2), outerTopLeft, outerBottomRight);
  edge(icon.adjusted(-1, -1, 1, 1), innerTopLeft, innerBottomRight);
  painter.restore();
}

void CGfxOutBarCtrl::PaintHeader(QPainter& painter, const QRect& r, const QString& name, bool pressed) const {
  const QPalette& pal = palette();
  const QColor face = pal.color(QPalette::Button);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QLinearGradient grad(r.topLeft(), r.bottomLeft());
  grad.setColorAt(0.0, pressed ? face.darker(106) : face.lighter(104));
  grad.setColorAt(1.0, pressed ? face.darker(102) : face.darker(104));
  painter.fillRect(r, grad);

  const QColor light = pal.color(QPalette::Light);
  const QColor shadow = pal.color(QPalette::Mid);
  const QColor dark = pal.color(QPalette::Shadow);
  const QRect inner = r.adjusted(0, 0, -1, -1);
  if (pressed) {
    painter.setPen(dark);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(light);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
  } else {
    painter.setPen(light);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(shadow);
    painter.drawLine(inner.bottomLeft() + QPoint(1, 0), inner.bottomRight());
    painter.drawLine(inner.topRight() + QPoint(0, 1), inner.bottomRight());
    painter.setPen(dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }

  painter.setPen(pal.color(QPalette::ButtonText));
  painter.setFont(font());
  QRect textRect = r.adjusted(4, 0, -4, -1);
  if (pressed) textRect.translate(1, 1);
  const QString text = painter.fontMetrics().elidedText(name, Qt::ElideRight, textRect.width());
  painter.drawText(textRect, Qt::AlignCenter, text);
  painter.restore();
}

void CGfxOutBarCtrl::PaintArrow(QPainter& painter, const QRect& r, bool up, bool pressed) const {
  const QPalette& pal = palette();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(r, pal.color(QPalette::Button));
  const QRect inner = r.adjusted(0, 0, -1, -1);
  if (pressed) {
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawRect(inner);
  } else {
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLine(inner.bottomLeft() + QPoint(1, -1), inner.bottomRight() + QPoint(0, -1));
    painter.drawLine(inner.topRight() + QPoint(-1, 1), inner.bottomRight() + QPoint(-1, 0));
    painter.setPen(pal.color(QPalette::Shadow));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  }
  // The glyph: a small filled triangle, nudged when pushed.
  const QPointF c = QRectF(r).center() + (pressed ? QPointF(1, 1) : QPointF(0, 0));
  QPainterPath glyph;
  if (up) {
    glyph.moveTo(c.x() - 4, c.y() + 2);
    glyph.lineTo(c.x() + 4, c.y() + 2);
    glyph.lineTo(c.x(), c.y() - 2);
  } else {
    glyph.moveTo(c.x() - 4, c.y() - 2);
    glyph.lineTo(c.x() + 4, c.y() - 2);
    glyph.lineTo(c.x(), c.y() + 2);
  }
  glyph.closeSubpath();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.fillPath(glyph, pal.color(QPalette::ButtonText));
  painter.restore();
}

}  // namespace formet
