#include "platform/qt/status_line.h"

#include <QFontMetrics>

namespace m1::qt {

QString FitStatus(const QString& lead, const QString& body, const QString& trail,
                  const QFontMetrics& metrics, int width) {
  const QString whole = lead + body + trail;
  if (metrics.horizontalAdvance(whole) <= width) return whole;
  const int kept = metrics.horizontalAdvance(lead + trail);
  if (kept < width) {
    const QString shortened = metrics.elidedText(body, Qt::ElideRight, width - kept);
    if (!shortened.isEmpty()) return lead + shortened + trail;
  }
  return metrics.elidedText(whole, Qt::ElideRight, width);
}

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  // The bar gives the line what the window leaves it; a long line never widens the window.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void StatusLine::Show(const QString& lead, const QString& body, const QString& trail) {
  if (lead == lead_ && body == body_ && trail == trail_) return;
  lead_ = lead;
  body_ = body;
  trail_ = trail;
  setToolTip(Whole());
  Fit();
}

QSize StatusLine::sizeHint() const {
  const QMargins m = contentsMargins();
  return {fontMetrics().horizontalAdvance(Whole()) + m.left() + m.right(),
          fontMetrics().height() + m.top() + m.bottom()};
}

QSize StatusLine::minimumSizeHint() const {
  return {0, sizeHint().height()};
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

void StatusLine::Fit() {
  const QString fitted = FitStatus(lead_, body_, trail_, fontMetrics(), contentsRect().width());
  if (text() != fitted) setText(fitted);
}

}  // namespace m1::qt
