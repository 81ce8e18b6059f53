#include "platform/qt/file_drops.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace m1::qt {

FileDrops::FileDrops(QWidget* window) : QObject(window) {
  window->setAcceptDrops(true);
  window->installEventFilter(this);
}

QString FileDrops::LocalFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (LocalFile(drag->mimeData()).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = LocalFile(drop->mimeData());
      if (path.isEmpty()) return false;
      drop->acceptProposedAction();
      emit Dropped(path);
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace m1::qt
