#include "app/disk_windows.h"

#include <QAction>
#include <QMenu>

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
  connect(health, &QAction::triggered, this, [this] { Show(health_); });
  connect(files, &QAction::triggered, this, [this] {
    Show(files_);
    files_->SetOpenFile([this](std::size_t file, bool found) { OpenFile(file, found); });
  });
  connect(&main, &MainWindow::ImageChanged, this, &DiskWindows::Reload);
}

void DiskWindows::Reload() {
  if (health_ && health_->isVisible()) health_->Reload();
  if (files_ && files_->isVisible()) files_->Reload();
  if (file_) file_->close();
}

template <typename Window>
void DiskWindows::Show(QPointer<Window>& window) {
  if (!window) {
    window = new Window(
        main_.Disk(), [this] { main_.Sync(); }, &main_);
    window->Reload();
    window->OpenWide();
    OpenCentredOn(*window, main_.frameGeometry().center());
  } else {
    window->Reload();
  }
  BringForward(*window);
}

void DiskWindows::OpenFile(std::size_t file, bool found) {
  if (!file_)
    file_ = new FileWindow(
        main_.Disk(), [this] { main_.Sync(); }, &main_);
  file_->Open({file, found});
  file_->show();
  file_->raise();
  file_->activateWindow();
}

}  // namespace m1::qt
