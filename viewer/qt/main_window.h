// The main window (Mainform) in Qt: the widgets of its layout, its menus and separator lines,
// and slots that hand every event to the window logic and then show what it produced.
#pragma once

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

 private:
  std::vector<std::pair<QLineEdit*, TextBox Mainform::*>> boxes_;
  QComboBox* combo_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace m1::qt
