// The main window (Mainform) in Qt: the widgets of its layout, its menus and separator lines,
// and slots that hand every event to the window logic and then show what it produced.
#pragma once

#include <utility>
#include <vector>

#include "platform/qt/form_window.h"
#include "viewer/mainform.h"

namespace m1::qt {

class MainWindow final : public FormWindow {
  Q_OBJECT

 public:
  MainWindow(Mainform& logic, ActivationTracker& tracker);

  void Load() override;
  void Sync() override;

 protected:
  void Activated() override;
  void Resized() override;
  void QueryUnload(int& cancel, int unloadMode) override;

 private slots:
  void OnOpen();
  void OnExit();
  void OnHelp();
  void OnGotoTrk();
  void OnNextsec();
  void OnPrevsec();
  void OnNexTrack();
  void OnPrevTrk();
  void OnDirFind();
  void OnSecdisp();
  void OnHexedit();
  void OnComboText(const QString& text);

 private:
  Mainform& logic_;
  std::vector<std::pair<QLineEdit*, TextBox Mainform::*>> boxes_;
  QComboBox* combo_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace m1::qt
