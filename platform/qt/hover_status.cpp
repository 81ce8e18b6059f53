#include "platform/qt/hover_status.h"

#include <QEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolTip>

#include "platform/qt/qt_convert.h"
#include "platform/qt/status_line.h"

namespace m1::qt {

HoverStatus::HoverStatus(QMainWindow* window, QWidget* page)
    : QObject(window), page_(page), label_(new StatusLine(window)) {
  label_->setObjectName(QStringLiteral("hoverStatus"));
  // The bar keeps the desktop's own font, as the menus do.
  QStatusBar* bar = window->statusBar();
  bar->setFont(QFont());
  label_->setFont(QFont());
  bar->addWidget(label_, 1);
  window->resize(window->width(), window->height() + bar->sizeHint().height());
  page_->setMouseTracking(true);
  page_->installEventFilter(this);
}

void HoverStatus::Show(const std::string& lead, const std::string& body, const std::string& trail) {
  // A line too long for the bar is shortened there; the tooltip holds all of it.
  label_->Show(FromText(lead), FromText(body), FromText(trail));
  const QString shown = label_->Whole();
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
