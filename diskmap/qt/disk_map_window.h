// The Disk map window in Qt: the view and colouring boxes, the Save Picture button, the picture and
// the status bar that names the cell under the mouse, over the logic of DiskMapForm. A child window
// of the main window, which owns it.
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "diskmap/disk_map_form.h"
#include "platform/qt/qt_metrics.h"

class QComboBox;

namespace m1::qt {

class HoverStatus;
class MapPicture;

class DiskMapWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // Asks where to save the picture, offering `suggested`; an empty answer cancels.
  using AskSavePath = std::function<QString(QWidget* parent, const QString& suggested)>;

  // afterShow runs when a clicked cell showed a sector or bytes in another window.
  DiskMapWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent);

  // Takes up the image the main window shows, and shows what the logic made of it.
  void Reload();
  const DiskMapForm& Logic() const { return logic_; }
  MapPicture* Picture() const { return picture_; }
  // The Save dialog is QFileDialog's unless another asker is given (the tests give one).
  void SetAskSavePath(AskSavePath ask) { askSavePath_ = std::move(ask); }
  // Shows what the logic produced.
  void Sync();

 public slots:
  // Lights a file's cells in its record order; -1 lights none.
  void HighlightFile(int file);

 signals:
  // A clicked cell belongs to this file of the file system.
  void FileChosen(int file);

 private slots:
  void OnResized(int width, int height);
  void OnHover(int x, int y);
  void OnLeft();
  void OnClicked(int x, int y);
  void OnSavePicture();

 private:
  MainDisk& disk_;
  std::function<void()> afterShow_;
  QtMetrics metrics_;  // of the picture's font
  DiskMapForm logic_;
  AskSavePath askSavePath_;
  QComboBox* view_ = nullptr;
  QComboBox* colouring_ = nullptr;
  MapPicture* picture_ = nullptr;
  HoverStatus* hover_ = nullptr;
};

}  // namespace m1::qt
