// The navigation bar of the main window's left pane.
//
// Folders are stacked header buttons: headers 0 .. selected at the top, the
// rest at the bottom. The area between them shows the selected folder's
// items as icons with labels. A left click on an item (pressed and released
// over the same item) emits `itemClicked`; the owner switches pages.
//
// The keyboard reaches the bar with Tab: Up and Down (Home, End) move a
// focus frame over the items, scrolling as needed, and Enter or Space clicks
// the framed item.
//
// The bar is custom painted and driven by the ordinary mouse, key and timer
// events: a press starts tracking (the widget keeps the mouse until the
// button is released), the scroll arrows repeat on a timer while held, and a
// second timer gives the last clicked icon a short wiggle now and then.
#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

class QTimer;
class QVariantAnimation;

namespace formet {

class CGfxOutBarCtrl : public QWidget {
  Q_OBJECT

 public:
  // Creation flags.
  enum Flag : unsigned {
    fSmallIcon = 1u << 0,     // small icons (clear: large icons)
    fRemoveGroups = 1u << 2,  // bits 2-6: editing from a context command set,
    fAddGroups = 1u << 3,     //   which this bar does not offer
    fEditGroups = 1u << 4,
    fRemoveItems = 1u << 5,
    fEditItems = 1u << 6,
    fDragItems = 1u << 7,     // items may be dragged (not offered by this bar)
    fAnimation = 1u << 8,     // animate folder changes
    fSelHighlight = 1u << 9,  // keep the last clicked item framed
  };

  // Results of `HitTestEx`.
  enum HitTest { htNothing = -1, htFolder = 0, htItem = 1, htUpScroll = 2, htDownScroll = 3 };

  // `which` of `SetIconList`.
  enum IconListKind { fSmallIconList = 1, fLargeIconList = 2 };

  // Geometry, in pixels.
  static constexpr int kFolderHeight = 22;
  static constexpr int kSmallLabelGap = 4;
  static constexpr int kLargeLabelGap = 3;
  static constexpr int kSmallIconSpacing = 10;
  static constexpr int kLargeIconSpacing = 8;
  static constexpr int kLeftMargin = 5;
  static constexpr int kTopMargin = 5;
  static constexpr int kArrowSize = 16;
  // Period of the scroll arrows' repeat timer, in milliseconds.
  static constexpr int kScrollRepeatMs = 100;

  explicit CGfxOutBarCtrl(unsigned flags = 0, QWidget* parent = nullptr);
  ~CGfxOutBarCtrl() override;

  // Places the bar in `parent` at `rect` with new flags and shows it.
  void CreateBar(const QRect& rect, QWidget* parent, unsigned flags);
  unsigned Flags() const { return flags_; }

  // Icons, indexed by the items' image indexes. Returns the previous list
  // (empty for an unknown `which`). With no small list the large icons are
  // drawn scaled down in small-icon mode.
  QList<QPixmap> SetIconList(const QList<QPixmap>& icons, int which);
  QList<QPixmap> IconList(int which) const;

  // Appends a folder and returns its index.
  int AppendFolder(const QString& name, qintptr data = 0);
  // Inserts an item before `index` (appends when `index` is out of range)
  // and returns its index, or -1 for an unknown folder.
  int InsertFolderItem(int folder, int index, const QString& text, int image, qintptr data = 0);

  // Makes `index` the current folder (sliding the headers when fAnimation is
  // set and the folder changes), scrolls back to the first item, emits
  // `folderSelected` and repaints, also when `index` already was current.
  void SelectFolder(int index);

  int GetFolderCount() const { return static_cast<int>(folders_.size()); }
  int GetSelFolder() const { return selFolder_; }
  QString GetFolderText(int folder) const;
  qintptr GetFolderData(int folder) const;
  int GetItemCount(int folder) const;
  QString GetItemText(int folder, int index) const;
  int GetItemImage(int folder, int index) const;
  qintptr GetItemData(int folder, int index) const;

  void UseSmallIcons(bool on);
  bool UsesSmallIcons() const { return (flags_ & fSmallIcon) != 0; }

  // Starts (ms > 0) or stops (ms <= 0) the click animation.
  void SetClickAnimationPeriod(int ms);
  int ClickAnimationPeriod() const { return animPeriod_; }

  void SetBackgroundColor(const QColor& color);
  QColor BackgroundColor() const { return background_; }
  void SetTextColor(const QColor& color);
  QColor TextColor() const { return text_; }

  // What lies under `point`; `index` receives the folder or item index
  // (-1 otherwise). Order: up arrow, down arrow, folder headers, items of the
  // selected folder (icon, then label).
  int HitTestEx(const QPoint& point, int& index) const;

  // Geometry of the current state (items of the selected folder; empty
  // rectangles for items scrolled out above).
  QRect GetFolderRect(int folder) const;
  QRect GetInsideRect() const;
  QRect GetIconRect(int index) const;
  QRect GetLabelRect(int index) const;
  QRect GetUpArrowRect() const;
  QRect GetDownArrowRect() const;
  bool IsUpArrowShown() const;
  bool IsDownArrowShown() const;

  // Index of the first item drawn in the item area.
  int GetFirstVisibleItem() const { return firstItem_; }
  // The item whose icon carries the raised hover frame, or -1.
  int GetHotItem() const { return hotItem_; }
  // The item whose icon is drawn pressed right now, or -1.
  int GetPressedItem() const;
  // The item last clicked in the selected folder, or -1.
  int GetLastClickedItem() const { return lastClicked_; }
  // The item the keyboard's focus frame is on (Enter clicks it), or -1.
  int GetFocusItem() const { return focusItem_; }
  // Puts the focus frame on an item of the selected folder and scrolls it
  // into view; -1 removes it.
  void SetFocusItem(int index);
  // Clicks an item of the selected folder as a press and release over it
  // does.
  void ClickItem(int index);
  // Where the click animation currently draws the last clicked icon,
  // relative to its place.
  QPoint GetClickAnimationOffset() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // The items drawn now, in order: when the down arrow is shown, only those
  // wholly visible and clear of it.
  std::vector<int> ShownItemIndexes() const;

 signals:
  void itemClicked(int index);
  void folderSelected(int index);
  // Raised by label editing and item dragging, which this bar does not offer
  // (the owner of the program's bar grants them all).
  void itemLabelEdited(int index, const QString& text);
  void folderLabelEdited(int index, const QString& text);
  void itemDragged(int folder, int from, int to);


 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Item {
    QString text;
    int image = -1;
    qintptr data = 0;
  };
  struct Folder {
    QString name;
    qintptr data = 0;
    std::vector<Item> items;
  };
  struct ItemGeometry {
    int index = -1;
    QRect icon;   // where the icon is drawn
    QRect label;  // the label's text rectangle
    int bottom = 0;  // bottom of the label, the spacing excluded
  };
  enum class Track { None, Item, Folder, UpArrow, DownArrow };

  const Folder* SelectedFolder() const;
  QSize IconSize() const;
  // Items of the selected folder from the first visible one; stops after
  // the first item that starts below the item area unless `all`.
  std::vector<ItemGeometry> LayoutItems(bool all) const;
  // The items drawn and hit: those of LayoutItems(false) that are clear of
  // the down arrow.
  std::vector<ItemGeometry> ShownItems() const;
  bool CanScrollDown() const;
  void SetHotItem(int index);
  void UpdateIcon(int index);
  void EndTracking();
  void OnScrollTick();
  void OnAnimationTick();

  void PaintBar(QPainter& painter) const;
  void PaintItems(QPainter& painter) const;
  void PaintHeader(QPainter& painter, const QRect& rect, const QString& name, bool pressed) const;
  void PaintArrow(QPainter& painter, const QRect& rect, bool up, bool pressed) const;
  void Paint3dRect(QPainter& painter, const QRect& icon, bool raised) const;
  QPixmap RenderState() const;

  unsigned flags_ = 0;
  std::vector<Folder> folders_;
  int selFolder_ = 0;
  int firstItem_ = 0;
  QList<QPixmap> smallIcons_;
  QList<QPixmap> largeIcons_;
  QColor background_;
  QColor text_;

  // Mouse tracking between press and release.
  Track track_ = Track::None;
  int trackIndex_ = -1;
  bool trackOver_ = false;  // the pressed element is under the cursor
  int hotItem_ = -1;
  int focusItem_ = -1;

  // Click animation.
  QTimer* animTimer_ = nullptr;
  int animPeriod_ = 0;
  int lastClicked_ = -1;
  int animCounter_ = -1;

  QTimer* scrollTimer_ = nullptr;

  // Folder change animation: the states before and after, blended by
  // sliding the moving headers from their old to their new place.
  QVariantAnimation* folderAnim_ = nullptr;
  QPixmap animFrom_;
  QPixmap animTo_;
  int animOldFolder_ = 0;
};

}  // namespace formet
