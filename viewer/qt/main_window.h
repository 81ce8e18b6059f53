// The main window (Mainform) in Qt: the widgets of its layout, its menus and separator lines,
// and slots that hand every event to the window logic and then show what it produced.
#pragma once

#include <QPointer>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "health/main_disk.h"
#include "platform/qt/form_window.h"
#include "viewer/mainform.h"

class QLabel;

namespace m1::qt {

class FilesWindow;
class HealthWindow;

class MainWindow final : public LogicWindow<Mainform> {
  Q_OBJECT

 public:
  MainWindow(Mainform& logic, ActivationTracker& tracker);

  void Sync() override;
  // Opens path as if chosen in the Open dialog (a file named on the command line).
  void OpenChosen(const std::string& path);

 private:
  // The ways in from the desktop: files dropped on the window, the Edit menu.
  void AddDesktopWays();
  // The Disk menu, its two windows and the status bar under the layout (viewer/qt/disk_menu.cpp).
  void AddDiskMenuAndStatus();
  // Shows the present sector's health and owner, and the image on show in the Disk windows.
  void SyncDisk();
  // Opens a Disk window (made on first use), showing the image on display.
  template <typename Window>
  void ShowDiskWindow(QPointer<Window>& window);

  QComboBox* combo_ = nullptr;
  QListWidget* list_ = nullptr;
  MainDisk disk_{logic_};
  QLabel* status_ = nullptr;
  QPointer<HealthWindow> health_;
  QPointer<FilesWindow> files_;
  std::uint64_t diskWindowsImage_ = 0;  // the image count the Disk windows show
};

}  // namespace m1::qt
