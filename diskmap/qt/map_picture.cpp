#include "diskmap/qt/map_picture.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "platform/qt/qt_convert.h"

namespace m1::qt {

namespace {

QRectF PxRectF(const TwipsRect& r) {
  return QRectF(PxF(r.left), PxF(r.top), PxF(r.width), PxF(r.height));
}

// A ring sector as a polygon: along the outer edge, back along the inner one, a corner every two
// degrees at most (a chord then strays from a circle of 500 pixels' radius by a tenth of a pixel).
// Every ring takes its corners at the same angles, so that where neighbouring rings meet their
// edges are the same line. Each corner is the one before turned by the step, so only the first
// costs a sine and cosine.
QPolygonF ArcPolygon(const MapArc& a) {
  constexpr double kRadians = std::numbers::pi / 180;
  constexpr double kStep = 2.0;
  const int steps = std::max(1, static_cast<int>(std::ceil(std::abs(a.spanAngle) / kStep)));
  const double turnCos = std::cos(a.spanAngle / steps * kRadians);
  const double turnSin = std::sin(a.spanAngle / steps * kRadians);
  const QPointF centre(PxF(a.cx), PxF(a.cy));
  const double outer = PxF(a.outer);
  const double inner = PxF(a.inner);
  QPolygonF polygon(2 * (steps + 1));
  double c = std::cos(a.startAngle * kRadians);
  double s = std::sin(a.startAngle * kRadians);
  for (int k = 0; k <= steps; ++k) {
    polygon[k] = centre + QPointF(outer * c, -outer * s);
    polygon[2 * steps + 1 - k] = centre + QPointF(inner * c, -inner * s);
    const double turned = c * turnCos - s * turnSin;
    s = s * turnCos + c * turnSin;
    c = turned;
  }
  return polygon;
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
    // Unsmoothed, neighbouring rings meet without a seam (smoothing would blend their shared
    // edge with the background twice), and the platters paint three times as fast.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    std::optional<Rgb> brush;
    for (const MapCell& cell : map.cells) {
      // Neighbours mostly share a colour: the brush changes only where theirs does.
      if (brush != cell.fill) painter.setBrush(ToQColor(*(brush = cell.fill)));
      painter.drawPolygon(ArcPolygon(cell.arc));
    }
    painter.setBrush(Qt::NoBrush);
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
    painter.drawPolygon(ArcPolygon(cell.arc));
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
