// The sector map's status bar: the health and the owner of the sector under the mouse. The
// designed area above keeps its size: the window grows by the height of the status bar.
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>

#include "sectormap/qt/map_window.h"

namespace m1::qt {

void SectorMapWindow::AddStatus() {
  statusBar()->setFont(QFont());
  statusBar()->setSizeGripEnabled(false);
  status_ = new QLabel(statusBar());
  status_->setObjectName(QStringLiteral("mapStatus"));
  statusBar()->addWidget(status_, 1);
  resize(ClientSize().width(),
         ClientSize().height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  Page()->setMouseTracking(true);
  Page()->installEventFilter(this);
}

bool SectorMapWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Page() && event->type() == QEvent::MouseMove) {
    const QPointF at = static_cast<QMouseEvent*>(event)->position();
    status_->setText(FromText(disk_.StatusAt(static_cast<Twips>(at.x() * kTwipsPerPixel),
                                             static_cast<Twips>(at.y() * kTwipsPerPixel))));
  } else if (watched == Page() && event->type() == QEvent::Leave) {
    status_->clear();
  }
  return FormWindow::eventFilter(watched, event);
}

}  // namespace m1::qt
