// The main window's Disk menu (Health..., Files...) and the status bar under its layout, which
// names the health and the owner of the present sector. The designed area above keeps its size:
// the window grows by the height of the status bar.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "files/qt/files_window.h"
#include "health/qt/health_window.h"
#include "viewer/qt/main_window.h"

namespace m1::qt {

void MainWindow::AddDiskMenuAndStatus() {
  auto* disk = new QMenu(tr("&Disk"), this);
  disk->setObjectName(QStringLiteral("mnuDisk"));
  QAction* health = disk->addAction(tr("&Health..."));
  health->setObjectName(QStringLiteral("mnuDiskHealth"));
  QAction* files = disk->addAction(tr("&Files..."));
  files->setObjectName(QStringLiteral("mnuDiskFiles"));
  connect(health, &QAction::triggered, this, [this] { ShowDiskWindow(health_); });
  connect(files, &QAction::triggered, this, [this] { ShowDiskWindow(files_); });
  // Before Help, which stays the last item of the bar.
  menuBar()->insertMenu(findChild<QAction*>(QStringLiteral("Help")), disk);

  statusBar()->setFont(QFont());
  statusBar()->setSizeGripEnabled(false);
  status_ = new QLabel(statusBar());
  status_->setObjectName(QStringLiteral("diskStatus"));
  statusBar()->addWidget(status_, 1);
  resize(ClientSize().width(),
         ClientSize().height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

void MainWindow::SyncDisk() {
  if (status_ == nullptr) return;
  status_->setText(FromText(disk_.StatusText()));
  // The Disk windows follow the main window to the next image it analyses.
  if (diskWindowsImage_ == logic_.imagesAnalysed) return;
  diskWindowsImage_ = logic_.imagesAnalysed;
  if (health_ && health_->isVisible()) health_->Reload();
  if (files_ && files_->isVisible()) files_->Reload();
}

template <typename Window>
void MainWindow::ShowDiskWindow(QPointer<Window>& window) {
  if (!window)
    window = new Window(
        disk_, [this] { Sync(); }, this);
  diskWindowsImage_ = logic_.imagesAnalysed;
  window->Reload();
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace m1::qt
