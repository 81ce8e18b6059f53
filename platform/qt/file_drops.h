// Files dropped on a window: a file dragged from a file manager onto any part of the window is
// reported by its local path, for the window to open through its own Open path. Other drags
// (text, web addresses) are turned away.
#pragma once

#include <QObject>
#include <QString>

class QMimeData;
class QWidget;

namespace m1::qt {

class FileDrops final : public QObject {
  Q_OBJECT

 public:
  // Makes window take drops; the watcher is the window's child.
  explicit FileDrops(QWidget* window);

  // The local file a drag carries (the first, when it carries several); empty when it carries none.
  static QString LocalFile(const QMimeData* data);

 signals:
  void Dropped(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace m1::qt
