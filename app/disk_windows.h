// The main window's Disk menu and the windows it opens over the image the main window shows
// (Health..., Files..., Map...). Each is made on first use, follows the main window to the next
// image it analyses while it is visible, and is restored, raised and activated whenever it is
// asked for. A file chosen in the Files window is lit on the map and opens (double-click, Enter,
// Open File) in the File window, which closes when the main window takes up another image; a cell
// clicked on the map chooses its file in the Files window.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstddef>

namespace m1::qt {

class FileWindow;
class DiskMapWindow;
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
  // Shows a file of the disk in the File window (made on first use): file `file` of the directory,
  // or when found, of the deleted and lost files as the Files window counts them.
  void OpenFile(std::size_t file, bool found);
  // Joins the Files window and the map, once both are made.
  void JoinFilesAndMap();
  // Lights on the map the file the Files window shows chosen.
  void LightChosenFile();

  MainWindow& main_;
  QPointer<HealthWindow> health_;
  QPointer<FilesWindow> files_;
  QPointer<FileWindow> file_;
  QPointer<DiskMapWindow> map_;
};

}  // namespace m1::qt
