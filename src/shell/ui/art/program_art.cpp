#include "shell/ui/art/program_art.h"

#include <QtMath>

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace formet::art {

namespace {

// A restrained scheme: deep navy, slate and steel blues, warm paper, and
// the red of the pre-printed forms as the only strong accent.
const QColor kNavy(30, 58, 95);
const QColor kNavyDark(19, 38, 66);
const QColor kSlate(74, 106, 148);
const QColor kSteel(143, 166, 193);
const QColor kSteelLight(207, 221, 236);
const QColor kPaper(255, 255, 255);
const QColor kPaperWarm(250, 248, 243);
const QColor kPaperShade(236, 232, 223);
const QColor kInk(43, 47, 54);
const QColor kMuted(96, 107, 122);
const QColor kOutline(92, 104, 120);
const QColor kRedInk(178, 42, 42);
const QColor kRedSoft(214, 120, 112);
const QColor kGreen(46, 125, 91);
const QColor kGold(201, 165, 76);

QFont SansFont(qreal pixelSize, int weight = QFont::Normal) {
  QFont f;
  f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(qRound(pixelSize));
  f.setWeight(static_cast<QFont::Weight>(weight));
  return f;
}

QFont SerifFont(qreal pixelSize, int weight = QFont::Normal) {
  QFont f;
  f.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"), QStringLiteral("Serif")});
  f.setStyleHint(QFont::Serif);
  f.setPixelSize(qRound(pixelSize));
  f.setWeight(static_cast<QFont::Weight>(weight));
  return f;
}

QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

QLinearGradient Horizontal(const QRectF& r, const QColor& left, const QColor& right) {
  QLinearGradient g(r.topLeft(), r.topRight());
  g.setColorAt(0, left);
  g.setColorAt(1, right);
  return g;
}

QPen Pen(const QColor& c, qreal w = 1.0) {
  QPen p(c, w);
  p.setJoinStyle(Qt::RoundJoin);
  p.setCapStyle(Qt::RoundCap);
  return p;
}

// A sheet of paper with its top-right corner folded over.
void PaintPage(QPainter& p, const QRectF& r, qreal fold, const QColor& outline = kOutline) {
  QPainterPath page;
  page.moveTo(r.topLeft());
  page.lineTo(r.right() - fold, r.top());
  page.lineTo(r.right(), r.top() + fold);
  page.lineTo(r.bottomRight());
  page.lineTo(r.bottomLeft());
  page.closeSubpath();
  p.setPen(Pen(outline));
  p.setBrush(Vertical(r, kPaper, QColor(241, 241, 238)));
  p.drawPath(page);

  QPainterPath corner;
  corner.moveTo(r.right() - fold, r.top());
  corner.lineTo(r.right() - fold, r.top() + fold);
  corner.lineTo(r.right(), r.top() + fold);
  corner.closeSubpath();
  p.setBrush(QColor(222, 224, 226));
  p.drawPath(corner);
}

// Red-ink boxes of a pre-printed form inside `r`: `rows` x `cols` cells.
void PaintFormGrid(QPainter& p, const QRectF& r, int rows, int cols, qreal width = 1.0) {
  p.setPen(Pen(kRedSoft, width));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
  for (int i = 1; i < rows; ++i) {
    const qreal y = r.top() + r.height() * i / rows;
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
  }
  for (int i = 1; i < cols; ++i) {
    const qreal x = r.left() + r.width() * i / cols;
    p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
  }
}

// ---------------------------------------------------------------------------
// Icons, drawn in a 32x32 space.

void PaintCompany(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawEllipse(QRectF(3, 27.5, 26, 3.5));

  // Low wing on the left.
  const QRectF wing(4.5, 13.5, 8, 15);
  p.setPen(Pen(kOutline));
  p.setBrush(Vertical(wing, QColor(214, 222, 232), QColor(176, 190, 207)));
  p.drawRect(wing);
  p.setPen(Qt::NoPen);
  p.setBrush(kSlate);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 2; ++c) p.drawRect(QRectF(6.5 + c * 3, 16 + r * 3, 2, 1.6));

  // The tower.
  const QRectF tower(11.5, 3.5, 15, 25);
  p.setPen(Pen(kNavyDark));
  p.setBrush(Horizontal(tower, QColor(92, 124, 166), kNavy));
  p.drawRect(tower);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawRect(QRectF(12, 4, 14, 1.5));
  for (int r = 0; r < 6; ++r) {
    for (int c = 0; c < 3; ++c) {
      const bool lit = (r * 3 + c) % 4 == 1;
      p.setBrush(lit ? QColor(246, 226, 160) : kSteelLight);
      p.drawRect(QRectF(13.5 + c * 4, 6.5 + r * 3, 2.5, 1.8));
    }
  }
  // Door.
  p.setBrush(kNavyDark);
  p.drawRect(QRectF(17, 24.5, 4, 4));
  p.setBrush(kSteelLight);
  p.drawRect(QRectF(18.9, 24.5, 0.4, 4));
}

// A head and shoulders, `s` the scale of a person about 20 pixels tall.
void PaintPerson(QPainter& p, const QPointF& headCentre, qreal headR, qreal shoulderW, qreal bottom,
                 const QColor& light, const QColor& dark, const QColor& outline) {
  const qreal top = headCentre.y() + headR + 1.2;
  QRectF body(headCentre.x() - shoulderW / 2, top, shoulderW, bottom - top);
  QPainterPath path;
  const qreal r = shoulderW * 0.42;
  path.moveTo(body.left(), body.bottom());
  path.lineTo(body.left(), body.top() + r);
  path.arcTo(QRectF(body.left(), body.top(), 2 * r, 2 * r), 180, -90);
  path.lineTo(body.right() - r, body.top());
  path.arcTo(QRectF(body.right() - 2 * r, body.top(), 2 * r, 2 * r), 90, -90);
  path.lineTo(body.right(), body.bottom());
  path.closeSubpath();
  p.setPen(Pen(outline));
  p.setBrush(Vertical(body, light, dark));
  p.drawPath(path);
  // Collar.
  p.setPen(Pen(QColor(255, 255, 255, 150), 1.0));
  p.drawLine(QPointF(headCentre.x() - 2, top + 0.8), QPointF(headCentre.x(), top + 3));
  p.drawLine(QPointF(headCentre.x() + 2, top + 0.8), QPointF(headCentre.x(), top + 3));

  QRadialGradient head(headCentre - QPointF(headR * 0.35, headR * 0.35), headR * 1.4);
  head.setColorAt(0, light.lighter(125));
  head.setColorAt(1, dark);
  p.setPen(Pen(outline));
  p.setBrush(head);
  p.drawEllipse(headCentre, headR, headR);
}

void PaintPeople(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawEllipse(QRectF(3, 27.5, 26, 3.5));
  PaintPerson(p, QPointF(20.5, 8.5), 4.2, 14, 26.5, QColor(150, 175, 204), QColor(98, 126, 161), kOutline);
  PaintPerson(p, QPointF(12, 12), 4.8, 16, 29.5, QColor(84, 118, 163), kNavy, kNavyDark);
}

void PaintBriefcase(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawEllipse(QRectF(3, 27.5, 26, 3.5));
  // Handle.
  p.setPen(Pen(kNavyDark, 2.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(11.5, 5.5, 9, 6), 2, 2);
  // Case.
  const QRectF body(3.5, 9.5, 25, 18);
  p.setPen(Pen(kNavyDark));
  p.setBrush(Vertical(body, QColor(96, 126, 164), kNavy));
  p.drawRoundedRect(body, 2.5, 2.5);
  p.setPen(Pen(QColor(255, 255, 255, 70)));
  p.drawLine(QPointF(5, 10.8), QPointF(27, 10.8));
  // Seam and clasp.
  p.setPen(Pen(kNavyDark));
  p.drawLine(QPointF(3.8, 17.5), QPointF(28.2, 17.5));
  p.setPen(Pen(QColor(140, 110, 40)));
  p.setBrush(kGold);
  p.drawRect(QRectF(14.5, 15.5, 3, 4));
}

// A small form: page, red header band, grid of boxes and a few text marks.
void PaintSmallForm(QPainter& p, const QRectF& r, bool grid) {
  PaintPage(p, r, 5.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kRedInk);
  p.drawRect(QRectF(r.left() + 2.5, r.top() + 2.5, 6, 2.5));
  p.setBrush(kRedSoft);
  p.drawRect(QRectF(r.left() + 9.5, r.top() + 3.2, r.width() - 17, 1.2));
  if (grid) {
    PaintFormGrid(p, QRectF(r.left() + 2.5, r.top() + 7.5, r.width() - 5, r.height() - 11), 4, 2, 0.8);
    p.setPen(Pen(QColor(70, 80, 95), 0.9));
    for (int i = 0; i < 4; ++i) {
      const qreal y = r.top() + 7.5 + (r.height() - 11) * (i + 0.62) / 4;
      p.drawLine(QPointF(r.left() + 4, y), QPointF(r.left() + 4 + (i % 2 ? 4 : 6), y));
      p.drawLine(QPointF(r.center().x() + 1.5, y), QPointF(r.center().x() + 1.5 + (i % 2 ? 5 : 3.5), y));
    }
  }
}

void PaintTransmittal(QPainter& p) {
  PaintPage(p, QRectF(10.5, 1.5, 18, 22), 4.5);
  PaintPage(p, QRectF(7.5, 4.5, 18, 22), 4.5);
  PaintSmallForm(p, QRectF(4.5, 7.5, 19, 23), true);
}

void PaintTaxForm(QPainter& p) {
  const QRectF page(5.5, 2.5, 21, 27);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 30));
  p.drawRect(QRectF(page.left() + 1.5, page.bottom(), page.width() - 1, 1.5));
  p.drawRect(QRectF(page.right(), page.top() + 8, 1.5, page.height() - 6.5));
  PaintPage(p, page, 6.5);
  // Form number block and title rule.
  p.setPen(Qt::NoPen);
  p.setBrush(kRedInk);
  p.drawRect(QRectF(8, 5, 7.5, 3));
  p.setBrush(kRedSoft);
  p.drawRect(QRectF(8, 9.5, 12, 1));
  // Boxes in red ink with figures in them.
  PaintFormGrid(p, QRectF(8, 12.5, 16, 14), 4, 2, 0.9);
  p.setPen(Pen(kInk, 1.0));
  for (int i = 0; i < 4; ++i) {
    const qreal y = 12.5 + 14.0 * (i + 0.68) / 4;
    p.drawLine(QPointF(17.5, y), QPointF(22.5 - (i % 2) * 1.5, y));
    if (i != 2) p.drawLine(QPointF(9.5, y), QPointF(13 + (i % 2) * 1.5, y));
  }
}

void PaintPrinter(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawEllipse(QRectF(2, 27, 28, 3.5));
  // Paper going in.
  PaintPage(p, QRectF(9.5, 2.5, 13, 11), 0.01);
  p.setPen(Pen(kSteel, 0.9));
  p.drawLine(QPointF(11.5, 5.5), QPointF(19.5, 5.5));
  p.drawLine(QPointF(11.5, 8), QPointF(17.5, 8));
  // Body.
  const QRectF body(2.5, 11.5, 27, 12);
  p.setPen(Pen(QColor(80, 88, 100)));
  p.setBrush(Vertical(body, QColor(232, 234, 238), QColor(170, 176, 186)));
  p.drawRoundedRect(body, 2.5, 2.5);
  p.setPen(Pen(QColor(90, 98, 110)));
  p.setBrush(QColor(70, 78, 90));
  p.drawRect(QRectF(7.5, 18.5, 17, 2));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(25.5, 14.8), 1.2, 1.2);
  // The printed form coming out.
  const QRectF out(8.5, 19.5, 15, 10.5);
  p.setPen(Pen(kOutline));
  p.setBrush(kPaper);
  p.drawRect(out);
  PaintFormGrid(p, QRectF(10, 22, 12, 6.5), 2, 2, 0.8);
  p.setPen(Qt::NoPen);
  p.setBrush(kRedInk);
  p.drawRect(QRectF(10, 20.5, 4.5, 1.2));
}

void PaintImport(QPainter& p) {
  // A delimited text file.
  const QRectF file(2.5, 2.5, 16, 21);
  PaintPage(p, file, 5);
  p.setPen(Pen(QColor(110, 120, 134), 1.0));
  for (int i = 0; i < 5; ++i) {
    const qreal y = 9.5 + i * 3;
    p.drawLine(QPointF(5, y), QPointF(8, y));
    p.drawLine(QPointF(10, y), QPointF(12, y));
    if (i < 4) p.drawLine(QPointF(14, y), QPointF(16, y));
  }
  // Into a form.
  PaintSmallForm(p, QRectF(13.5, 12.5, 16, 18), false);
  PaintFormGrid(p, QRectF(15.5, 20, 12, 8), 2, 2, 0.8);
  // The arrow.
  QPainterPath arrow;
  arrow.moveTo(7, 21);
  arrow.cubicTo(7, 26.5, 10, 27.5, 14, 27.5);
  arrow.lineTo(14, 30.5);
  arrow.lineTo(19.5, 25.5);
  arrow.lineTo(14, 20.5);
  arrow.lineTo(14, 23.5);
  arrow.cubicTo(11.5, 23.5, 10.5, 23, 10.5, 21);
  arrow.closeSubpath();
  p.setPen(Pen(QColor(28, 88, 62)));
  p.setBrush(Vertical(QRectF(7, 20, 13, 11), QColor(86, 170, 128), kGreen));
  p.drawPath(arrow);
}

using IconPainter = void (*)(QPainter&);
constexpr IconPainter kIconPainters[kNavIconCount] = {PaintCompany,     PaintPeople,  PaintBriefcase, PaintTransmittal,
                                                     PaintTaxForm,     PaintPrinter, PaintImport};

void PaintIconAt(QPainter& p, int index, const QRectF& target) {
  if (index < 0 || index >= kNavIconCount) return;
  p.save();
  p.translate(target.topLeft());
  p.scale(target.width() / kNavIconSize, target.height() / kNavIconSize);
  p.setRenderHint(QPainter::Antialiasing);
  kIconPainters[index](p);
  p.restore();
}

// ---------------------------------------------------------------------------
// The emblem: a navy tile holding a red-ink form with a check mark.

void PaintEmblem(QPainter& p, const QRectF& r) {
  p.save();
  p.translate(r.topLeft());
  p.scale(r.width() / 64.0, r.height() / 64.0);
  p.setRenderHint(QPainter::Antialiasing);

  const QRectF tile(1, 1, 62, 62);
  p.setPen(Pen(kNavyDark, 1.5));
  p.setBrush(Vertical(tile, QColor(58, 92, 138), kNavyDark));
  p.drawRoundedRect(tile, 11, 11);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 28));
  p.drawRoundedRect(QRectF(3, 3, 58, 26), 9, 9);

  const QRectF page(15, 9, 32, 44);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawRect(page.translated(2, 2));
  PaintPage(p, page, 9, QColor(40, 52, 70));
  p.setPen(Qt::NoPen);
  p.setBrush(kRedInk);
  p.drawRect(QRectF(19, 13.5, 11, 4));
  p.setBrush(kRedSoft);
  p.drawRect(QRectF(19, 20, 20, 1.5));
  PaintFormGrid(p, QRectF(19, 25, 24, 22), 4, 2, 1.2);

  // Check mark.
  QPainterPath check;
  check.moveTo(33, 45);
  check.lineTo(39, 51);
  check.lineTo(54, 33);
  QPen under(QColor(255, 255, 255), 8.5);
  under.setCapStyle(Qt::RoundCap);
  under.setJoinStyle(Qt::RoundJoin);
  p.setPen(under);
  p.setBrush(Qt::NoBrush);
  p.drawPath(check);
  QPen mark(kGreen, 5);
  mark.setCapStyle(Qt::RoundCap);
  mark.setJoinStyle(Qt::RoundJoin);
  p.setPen(mark);
  p.drawPath(check);
  p.restore();
}

// A larger form for the pictures: a rotated sheet with a title, red boxes
// and figures.
void PaintFormSheet(QPainter& p, const QPointF& centre, qreal angle, const QSizeF& size, const QString& title) {
  p.save();
  p.translate(centre);
  p.rotate(angle);
  const QRectF r(-size.width() / 2, -size.height() / 2, size.width(), size.height());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 28));
  p.drawRect(r.translated(3, 4));
  p.setBrush(QColor(0, 0, 0, 18));
  p.drawRect(r.translated(1.5, 2));
  p.setPen(Pen(QColor(190, 186, 178)));
  p.setBrush(kPaper);
  p.drawRect(r);

  const qreal m = 7;
  p.setPen(Qt::NoPen);
  p.setBrush(kRedInk);
  const QRectF titleBox(r.left() + m, r.top() + m, 30, 12);
  p.drawRect(titleBox);
  p.setPen(Qt::white);
  p.setFont(SansFont(8, QFont::Bold));
  p.drawText(titleBox, Qt::AlignCenter, title);
  p.setPen(Pen(kRedSoft, 0.8));
  p.drawLine(QPointF(titleBox.right() + 5, r.top() + m + 3), QPointF(r.right() - m, r.top() + m + 3));
  p.drawLine(QPointF(titleBox.right() + 5, r.top() + m + 8), QPointF(r.right() - m - 14, r.top() + m + 8));

  const QRectF grid(r.left() + m, r.top() + m + 18, r.width() - 2 * m, r.height() - 2 * m - 18);
  const int rows = 6;
  PaintFormGrid(p, grid, rows, 2, 0.8);
  p.setPen(Pen(QColor(200, 110, 100), 0.6));
  p.setFont(SansFont(4));
  p.setPen(kInk);
  p.setFont(SansFont(6));
  const char* figures[rows][2] = {{"34,250.00", "2,124.50"}, {"34,250.00", "496.63"}, {"", "1,870.00"},
                                  {"", ""},                  {"12,000.00", ""},       {"", "418.10"}};
  for (int i = 0; i < rows; ++i) {
    for (int c = 0; c < 2; ++c) {
      if (figures[i][c][0] == '\0') continue;
      const QRectF cell(grid.left() + grid.width() * c / 2, grid.top() + grid.height() * i / rows, grid.width() / 2,
                        grid.height() / rows);
      p.drawText(cell.adjusted(2, 1, -3, 0), Qt::AlignRight | Qt::AlignBottom, QString::fromLatin1(figures[i][c]));
    }
  }
  p.restore();
}

QPixmap NewPixmap(const QSize& size) {
  QPixmap pix(size);
  pix.fill(Qt::transparent);
  return pix;
}

// Draws `text` with its left end at `x` and its baseline at `y`; returns
// the x after it.
qreal DrawRun(QPainter& p, qreal x, qreal y, const QFont& font, const QColor& color, const QString& text) {
  p.setFont(font);
  p.setPen(color);
  p.drawText(QPointF(x, y), text);
  return x + QFontMetricsF(font).horizontalAdvance(text);
}

}  // namespace

// ---------------------------------------------------------------------------

QPixmap NavIconStrip() {
  QPixmap strip = NewPixmap(QSize(kNavIconSize * kNavIconCount, kNavIconSize));
  QPainter p(&strip);
  for (int i = 0; i < kNavIconCount; ++i)
    PaintIconAt(p, i, QRectF(i * kNavIconSize, 0, kNavIconSize, kNavIconSize));
  return strip;
}

QList<QPixmap> SplitIconStrip(const QPixmap& strip, int iconWidth) {
  QList<QPixmap> icons;
  if (iconWidth <= 0) return icons;
  for (int x = 0; x + iconWidth <= strip.width(); x += iconWidth)
    icons.append(strip.copy(x, 0, iconWidth, strip.height()));
  return icons;
}

QList<QPixmap> NavIcons() { return SplitIconStrip(NavIconStrip(), kNavIconSize); }

QPixmap NavIcon(int index, int size) {
  QPixmap pix = NewPixmap(QSize(size, size));
  QPainter p(&pix);
  PaintIconAt(p, index, QRectF(0, 0, size, size));
  return pix;
}

void PaintSplash(QPainter& p) {
  const QSize size = kSplashSize;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QRectF all(0, 0, size.width(), size.height());

  // Paper below, navy band above with a hairline of form red.
  p.fillRect(all, Vertical(all, kPaperWarm, kPaperShade));
  const QRectF band(0, 0, size.width(), 98);
  p.fillRect(band, Vertical(band, QColor(39, 72, 115), kNavyDark));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 14));
  p.drawEllipse(QPointF(360, -40), 150, 110);
  p.fillRect(QRectF(0, 98, size.width(), 2), kRedInk);

  PaintEmblem(p, QRectF(22, 21, 56, 56));
  qreal x = DrawRun(p, 92, 60, SerifFont(38, QFont::Bold), Qt::white, QStringLiteral("Formet"));
  DrawRun(p, x + 8, 60, SerifFont(24), kSteelLight, QStringLiteral("(2007)"));
  QFont caps = SansFont(10, QFont::DemiBold);
  caps.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
  DrawRun(p, 94, 80, caps, kSteel, QStringLiteral("YEAR-END TAX FORMS"));

  // Forms fanned at the right.
  PaintFormSheet(p, QPointF(334, 166), 7, QSizeF(104, 118), QStringLiteral("1099"));
  PaintFormSheet(p, QPointF(300, 172), -5, QSizeF(104, 118), QStringLiteral("W-2"));

  // Tag line.
  DrawRun(p, 24, 131, SansFont(15, QFont::Bold), kNavy, QStringLiteral("W-2 / W-3 and"));
  DrawRun(p, 24, 150, SansFont(15, QFont::Bold), kNavy, QStringLiteral("1099-MISC / 1096"));
  DrawRun(p, 24, 172, SansFont(11.5), kMuted, QStringLiteral("Year-end forms for small"));
  DrawRun(p, 24, 187, SansFont(11.5), kMuted, QStringLiteral("employers and their bookkeepers,"));
  DrawRun(p, 24, 202, SansFont(11.5), kMuted, QStringLiteral("printed on red-ink or plain paper."));

  // Footer.
  p.fillRect(QRectF(0, 228, size.width(), 33), QColor(255, 255, 255, 150));
  p.fillRect(QRectF(0, 228, size.width(), 1), QColor(206, 200, 188));
  x = DrawRun(p, 24, 249, SansFont(11), kMuted, QStringLiteral("Version "));
  DrawRun(p, x, 249, SansFont(11, QFont::DemiBold), kInk, QString::fromLatin1(kVersionText));
  const QFont yearFont = SansFont(11, QFont::DemiBold);
  const QString year = QStringLiteral("Tax Year 2007");
  DrawRun(p, size.width() - 24 - QFontMetricsF(yearFont).horizontalAdvance(year), 249, yearFont, kNavy, year);

  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(kNavyDark);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  p.restore();
}

void PaintWelcome(QPainter& p) {
  const QSize size = kWelcomeSize;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QRectF all(0, 0, size.width(), size.height());
  p.fillRect(all, Vertical(all, kPaper, kPaperWarm));

  const QRectF band(0, 0, size.width(), 92);
  p.fillRect(band, Vertical(band, QColor(39, 72, 115), kNavyDark));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 9));
  p.drawEllipse(QPointF(size.width() - 40, -70), 230, 140);
  p.fillRect(QRectF(0, 92, size.width(), 2), kRedInk);

  PaintEmblem(p, QRectF(28, 18, 56, 56));
  qreal x = DrawRun(p, 102, 48, SerifFont(28, QFont::Bold), Qt::white, QStringLiteral("Welcome to Formet"));
  DrawRun(p, x + 8, 48, SerifFont(20), kSteelLight, QStringLiteral("(2007)"));
  DrawRun(p, 104, 72, SansFont(13), kSteelLight,
          QStringLiteral("W-2, W-3, 1099-MISC and 1096 forms for tax year 2007"));

  struct Step {
    int icon;
    const char* title;
    const char* text;
  };
  const Step steps[3] = {
      {kIconCompany, "Set up your company", "Enter the payer's name, EIN and address under Company Info."},
      {kIconPeople, "Add your payees", "Keep employees and contractors with their IDs and addresses."},
      {kIconTaxForm, "Fill in and print", "W-2 and W-3, 1099-MISC and 1096 on red-ink forms or plain paper."},
  };
  const qreal colW = 180;
  const qreal gap = (size.width() - 3 * colW) / 4;
  for (int i = 0; i < 3; ++i) {
    const qreal left = gap + i * (colW + gap);
    const QRectF card(left, 118, colW, 160);
    p.setPen(Pen(QColor(222, 217, 206)));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(card, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 242, 235));
    p.drawRoundedRect(QRectF(card.left() + 1, card.top() + 1, card.width() - 2, 62), 5, 5);
    p.fillRect(QRectF(card.left() + 1, card.top() + 40, card.width() - 2, 23), QColor(245, 242, 235));
    p.fillRect(QRectF(card.left() + 1, card.top() + 63, card.width() - 2, 1), QColor(226, 221, 210));

    PaintIconAt(p, steps[i].icon, QRectF(card.center().x() - 20, card.top() + 12, 40, 40));
    // Step number.
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    const QPointF badge(card.left() + 22, card.top() + 22);
    p.drawEllipse(badge, 11, 11);
    p.setPen(Qt::white);
    p.setFont(SansFont(12, QFont::Bold));
    p.drawText(QRectF(badge.x() - 11, badge.y() - 11, 22, 22), Qt::AlignCenter, QString::number(i + 1));

    p.setPen(kNavy);
    p.setFont(SansFont(13, QFont::Bold));
    p.drawText(QRectF(card.left() + 10, card.top() + 74, card.width() - 20, 20), Qt::AlignHCenter | Qt::AlignTop,
               QString::fromLatin1(steps[i].title));
    p.setPen(kMuted);
    p.setFont(SansFont(11.5));
    p.drawText(QRectF(card.left() + 14, card.top() + 98, card.width() - 28, 60),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, QString::fromLatin1(steps[i].text));
  }

  const QFont hintFont = SansFont(12);
  const QString hint = QStringLiteral("Choose a page in the Shortcuts bar on the left to begin.");
  p.setFont(hintFont);
  p.setPen(kNavy);
  p.drawText(QRectF(0, 292, size.width(), 30), Qt::AlignCenter, hint);
  p.fillRect(QRectF(gap, 330, size.width() - 2 * gap, 1), QColor(226, 221, 210));
  p.restore();
}

void PaintAbout(QPainter& p) { PaintEmblem(p, QRectF(0, 0, kAboutSize.width(), kAboutSize.height())); }

QPixmap Render(QSize size, qreal dpr, void (*paint)(QPainter&)) {
  if (dpr <= 0) dpr = 1;
  QPixmap pix(QSize(qCeil(size.width() * dpr), qCeil(size.height() * dpr)));
  pix.setDevicePixelRatio(dpr);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  paint(p);
  return pix;
}

QPixmap SplashPicture(qreal dpr) { return Render(kSplashSize, dpr, PaintSplash); }
QPixmap WelcomePicture(qreal dpr) { return Render(kWelcomeSize, dpr, PaintWelcome); }
QPixmap AboutPicture(qreal dpr) { return Render(kAboutSize, dpr, PaintAbout); }

QIcon ProgramIcon() {
  QIcon icon;
  for (int s : kDesktopIconSizes) {
    QPixmap pix = NewPixmap(QSize(s, s));
    QPainter p(&pix);
    PaintEmblem(p, QRectF(0, 0, s, s));
    p.end();
    icon.addPixmap(pix);
  }
  return icon;
}

}  // namespace formet::art
