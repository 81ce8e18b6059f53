#include "diskmap/qt/map_picture.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "platform/qt/qt_convert.h"

namespace m1::qt {

namespace {

QRectF PxRectF(const TwipsRect& r) {
  return QRectF(PxF(r.left), PxF(r.top), PxF(r.width), PxF(r.height));
}

// A ring sector: along the outer edge, back along the inner one.
QPainterPath ArcPath(const MapArc& a) {
  const QPointF centre(PxF(a.cx), PxF(a.cy));
  const qreal outer = PxF(a.outer);
  const qreal inner = PxF(a.inner);
  const QRectF outerBox(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer);
  const QRectF innerBox(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner);
  QPainterPath path;
  path.arcMoveTo(outerBox, a.startAngle);
  path.arcTo(outerBox, a.startAngle, a.spanAngle);
  path.arcTo(innerBox, a.startAngle + a.spanAngle, -a.spanAngle);
  path.closeSubpath();
  return path;
}

void PaintText(QPainter& painter, const MapText& t, qreal ascent) {
  painter.setPen(ToQColor(t.colour));
  painter.drawText(QPointF(PxF(t.x), PxF(t.y) + ascent), FromText(t.text));
}

}  // namespace

void PaintMap(QPainter& painter, const DiskMap& map) {
  painter.fillRect(QRectF(0, 0, PxF(map.width), PxF(map.height)), ToQColor(colour::kMapBackground));
  const qreal ascent = QFontMetricsF(painter.font()).ascent();
  if (map.view == MapView::Grid) {
    // Rectangles on whole pixels of the device need no smoothing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const MapCell& cell : map.cells) painter.fillRect(PxRectF(cell.box), ToQColor(cell.fill));
    for (const MapCell& cell : map.cells) {
      if (cell.text.empty()) continue;
      painter.setPen(ToQColor(cell.textColour));
      painter.drawText(PxRectF(cell.box), Qt::AlignCenter, FromText(cell.text));
    }
  } else {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    for (const MapCell& cell : map.cells) {
      painter.fillPath(ArcPath(cell.arc), ToQColor(cell.fill));
    }
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const MapText& t : map.texts) PaintText(painter, t, ascent);
  for (const LegendEntry& e : map.legend) {
    const QRectF swatch = PxRectF(e.swatch);
    painter.fillRect(swatch, ToQColor(e.colour));
    painter.setPen(QColor(Qt::darkGray));
    painter.drawRect(swatch);
    PaintText(painter, e.label, ascent);
  }
}

QFont MapFont() {
  return QFont();
}

QImage RenderMap(const DiskMap& map, qreal devicePixelRatio) {
  const QSize size(qRound(PxF(map.width) * devicePixelRatio),
                   qRound(PxF(map.height) * devicePixelRatio));
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(devicePixelRatio);
  QPainter painter(&image);
  painter.setFont(MapFont());
  PaintMap(painter, map);
  return image;
}

MapPicture::MapPicture(const DiskMapForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(320, 240);
}

void MapPicture::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  if (paintedRevision_ != form_.revision || painted_.devicePixelRatio() != ratio) {
    painted_ = RenderMap(form_.map, ratio);
    paintedRevision_ = form_.revision;
  }
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), painted_);
  if (!form_.hovered) return;
  const MapCell& cell = form_.map.cells[*form_.hovered];
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(ToQColor(colour::kMapOutline), 2));
  painter.setBrush(Qt::NoBrush);
  if (form_.map.view == MapView::Grid) {
    painter.drawRect(PxRectF(cell.box).adjusted(-1, -1, 1, 1));
  } else {
    painter.drawPath(ArcPath(cell.arc));
  }
}

void MapPicture::resizeEvent(QResizeEvent*) {
  emit Resized(width() * kTwipsPerPixel, height() * kTwipsPerPixel);
}

void MapPicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  emit Clicked(at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
}

void MapPicture::leaveEvent(QEvent*) {
  emit Left();
}

}  // namespace m1::qt
