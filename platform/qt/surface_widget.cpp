#include "platform/qt/surface_widget.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/qt/qt_convert.h"

namespace m1::qt {

SurfaceWidget::SurfaceWidget(Surface& surface, const QFont& font, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  setFont(font);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Only the probe reads the operation log; on screen it would grow with every page.
  surface_.KeepLog(false);
  surface_.SetOnChange([this] { update(); });
}

SurfaceWidget::~SurfaceWidget() {
  surface_.SetOnChange({});
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), ToQColor(surface_.Background()));
  painter.setFont(font());
  const double ascent = QFontMetricsF(font()).ascent();
  for (const DrawOp& op : surface_.Items()) {
    switch (op.kind) {
      case DrawOp::Kind::Fill: {
        // Both corners belong to the box.
        const QPoint a(Px(std::min(op.x, op.x2)), Px(std::min(op.y, op.y2)));
        const QPoint b(Px(std::max(op.x, op.x2)), Px(std::max(op.y, op.y2)));
        painter.fillRect(QRect(a, b), ToQColor(op.colour));
        break;
      }
      case DrawOp::Kind::Text:
        // The pen position is the top of the line; the text stands on the font's baseline below.
        painter.setPen(ToQColor(op.colour));
        painter.drawText(QPointF(PxF(op.x), PxF(op.y) + ascent), FromText(op.text));
        break;
      case DrawOp::Kind::Clear:
        break;
    }
  }
}

}  // namespace m1::qt
