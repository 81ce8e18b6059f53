// The main window (Mainform) in Qt: the widgets of its layout, its menus and separator lines,
// and slots that hand every event to the window logic and then show what it produced.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/qt/form_window.h"
#include "viewer/mainform.h"

namespace m1::qt {

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

  std::vector<std::pair<QLineEdit*, TextBox Mainform::*>> boxes_;
  QComboBox* combo_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace m1::qt
