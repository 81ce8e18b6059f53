// The main window (Mainform) in Qt: the widgets of its layout, its menus and separator lines,
// and slots that hand every event to the window logic and then show what it produced.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/form_window.h"
#include "viewer/main_disk.h"
#include "viewer/mainform.h"

class QMenu;

namespace m1::qt {

class StatusLine;

class MainWindow final : public LogicWindow<Mainform> {
  Q_OBJECT

 public:
  MainWindow(Mainform& logic, ActivationTracker& tracker);

  void Sync() override;
  // Opens path as if chosen in the Open dialog (a file named on the command line).
  void OpenChosen(const std::string& path);
  // The facts of the image on display, for the windows that read it.
  MainDisk& Disk() { return disk_; }
  // A menu added to the bar before Help, which stays its last item.
  QMenu* AddMenu(const QString& title, const QString& name);

 signals:
  // The main window analysed another image since the last Sync.
  void ImageChanged();

 private:
  // The ways in from the desktop: files dropped on the window, the Edit menu.
  void AddDesktopWays();
  // The status bar under the layout; the designed area above keeps its size, the window grows by
  // the height of the bar.
  void AddStatusBar();
  // Shows the present sector's health and owner; tells the windows that read the image when the
  // main window took up another.
  void SyncDisk();

  QComboBox* combo_ = nullptr;
  QListWidget* list_ = nullptr;
  MainDisk disk_{logic_};
  StatusLine* status_ = nullptr;
  std::uint64_t imageSynced_ = 0;  // the main window's image count at the last Sync
};

}  // namespace m1::qt
