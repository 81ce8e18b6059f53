#include "app/disk_windows.h"

#include <QAction>
#include <QMenu>

#include "diskmap/qt/disk_map_window.h"
#include "files/qt/files_window.h"
#include "fileview/qt/file_window.h"
#include "health/qt/health_window.h"
#include "platform/qt/window_place.h"
#include "viewer/qt/main_window.h"

namespace m1::qt {

DiskWindows::DiskWindows(MainWindow& main) : QObject(&main), main_(main) {
  QMenu* disk = main.AddMenu(tr("&Disk"), QStringLiteral("mnuDisk"));
  QAction* health = disk->addAction(tr("&Health..."));
  health->setObjectName(QStringLiteral("mnuDiskHealth"));
  QAction* files = disk->addAction(tr("&Files..."));
  files->setObjectName(QStringLiteral("mnuDiskFiles"));
  QAction* map = disk->addAction(tr("&Map..."));
  map->setObjectName(QStringLiteral("mnuDiskMap"));
  connect(health, &QAction::triggered, this, [this] { Show(health_); });
  connect(files, &QAction::triggered, this, [this] {
    Show(files_);
    files_->SetOpenFile([this](std::size_t file, bool found) { OpenFile(file, found); });
  });
  connect(map, &QAction::triggered, this, [this] { Show(map_); });
  connect(&main, &MainWindow::ImageChanged, this, &DiskWindows::Reload);
}

void DiskWindows::Reload() {
  if (health_ && health_->isVisible()) health_->Reload();
  if (files_ && files_->isVisible()) files_->Reload();
  if (map_ && map_->isVisible()) map_->Reload();
  if (file_) file_->close();
  LightChosenFile();
}

void DiskWindows::JoinFilesAndMap() {
  if (!files_ || !map_) return;
  connect(files_, &FilesWindow::FileChosen, map_, &DiskMapWindow::HighlightFile,
          Qt::UniqueConnection);
  connect(map_, &DiskMapWindow::FileChosen, files_, &FilesWindow::SelectFile, Qt::UniqueConnection);
}

void DiskWindows::LightChosenFile() {
  if (files_ && map_ && files_->isVisible()) map_->HighlightFile(files_->ChosenFile());
}

template <typename Window>
void DiskWindows::Show(QPointer<Window>& window) {
  const bool made = !window;
  if (made)
    window = new Window(
        main_.Disk(), [this] { main_.Sync(); }, &main_);
  JoinFilesAndMap();
  window->Reload();
  LightChosenFile();
  if (made) {
    // The tables open wide enough for their columns; every window inside the screen.
    if constexpr (requires { window->OpenWide(); }) window->OpenWide();
    OpenCentredOn(*window, main_.frameGeometry().center());
  }
  BringForward(*window);
}

void DiskWindows::OpenFile(std::size_t file, bool found) {
  const bool made = !file_;
  if (made)
    file_ = new FileWindow(
        main_.Disk(), [this] { main_.Sync(); }, &main_);
  file_->Open({file, found});
  if (made) OpenCentredOn(*file_, main_.frameGeometry().center());
  BringForward(*file_);
}

}  // namespace m1::qt
