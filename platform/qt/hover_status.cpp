#include "platform/qt/hover_status.h"

#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolTip>

#include "platform/qt/qt_convert.h"

namespace m1::qt {

HoverStatus::HoverStatus(QMainWindow* window, QWidget* page)
    : QObject(window), page_(page), label_(new QLabel(window)) {
  label_->setObjectName(QStringLiteral("hoverStatus"));
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // The bar keeps the desktop's own font, as the menus do.
  QStatusBar* bar = window->statusBar();
  bar->setFont(QFont());
  label_->setFont(QFont());
  bar->addWidget(label_, 1);
  window->resize(window->width(), window->height() + bar->sizeHint().height());
  page_->setMouseTracking(true);
  page_->installEventFilter(this);
}

void HoverStatus::Show(const std::string& text) {
  const QString shown = FromText(text);
  // A text too long for the bar ends in an ellipsis there; the tooltip holds all of it.
  const QString fitted = label_->fontMetrics().elidedText(shown, Qt::ElideRight, label_->width());
  if (label_->text() != fitted) label_->setText(fitted);
  page_->setToolTip(shown);
  // A tooltip already up follows the pointer; otherwise the page shows it after the usual pause.
  if (shown.isEmpty()) {
    QToolTip::hideText();
  } else if (QToolTip::isVisible()) {
    QToolTip::showText(lastGlobal_, shown, page_);
  }
}

bool HoverStatus::eventFilter(QObject* watched, QEvent* event) {
  if (watched == page_ && event->type() == QEvent::MouseMove) {
    const auto* move = static_cast<QMouseEvent*>(event);
    const QPoint at = move->position().toPoint();
    lastGlobal_ = move->globalPosition().toPoint();
    emit Hovered(at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel);
  } else if (watched == page_ && event->type() == QEvent::Leave) {
    Show({});
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace m1::qt
