// The main window's Disk menu and the windows it opens over the image the main window shows
// (Health..., Files...). Each is made on first use, follows the main window to the next image it
// analyses while it is visible, and is restored, raised and activated whenever it is asked for.
#pragma once

#include <QObject>
#include <QPointer>

namespace m1::qt {

class FilesWindow;
class HealthWindow;
class MainWindow;

class DiskWindows final : public QObject {
  Q_OBJECT

 public:
  // Adds the Disk menu to main, which owns this object.
  explicit DiskWindows(MainWindow& main);

 private:
  void Reload();
  // Opens a Disk window (made on first use), showing the image on display.
  template <typename Window>
  void Show(QPointer<Window>& window);

  MainWindow& main_;
  QPointer<HealthWindow> health_;
  QPointer<FilesWindow> files_;
};

}  // namespace m1::qt
