// The sector map window (form1) in Qt: its widgets, menus and lines, and slots that hand every
// event to the window logic and then show what it produced.
#pragma once

#include "platform/qt/form_window.h"
#include "platform/qt/hover_status.h"
#include "sectormap/form1.h"

namespace m1::qt {

class SectorMapWindow final : public FormWindow {
  Q_OBJECT

 public:
  SectorMapWindow(form1& logic, ActivationTracker& tracker);

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
  void OnOption1(bool chosen);
  void OnOption2(bool chosen);
  void OnNext();
  void OnPrev();
  void OnFileDisplay();
  void OnDrop(const QString& path);
  void OnHover(int x, int y);

 private:
  // The ways in from the desktop: files dropped on the window, the explanation of the sector under
  // the mouse.
  void AddDesktopWays();

  form1& logic_;
  QLineEdit* text1_ = nullptr;
  QLineEdit* filename_ = nullptr;
  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;
  HoverStatus* hover_ = nullptr;
};

}  // namespace m1::qt
