// The program around the three windows: it owns the one set of files, the shared module, the
// dialogs and the metrics of the window font, and it creates each window (logic and Qt form) the
// first time it is shown.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "hexview/qt/hex_window.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/qt/activation.h"
#include "platform/qt/qt_metrics.h"
#include "sectormap/qt/map_window.h"
#include "viewer/qt/main_window.h"

namespace m1::qt {

class QtHost final : public Host {
 public:
  // dialogs: the message boxes and Open dialog to use; the desktop's when none is given.
  explicit QtHost(std::unique_ptr<Dialogs> dialogs = nullptr);
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  // Shows the main window; a file named on the command line then opens in it as if chosen in its
  // Open dialog, once the window system has shown the window. A relative path is taken from the
  // current folder at the call, before the window makes the program's folder current.
  void Start(const std::optional<std::string>& file);

  void ShowForm(FormId form) override;
  void EndProgram() override;
  void DoEvents() override;
  void ChangeToProgramFolder() override;
  void ShowFileBytes(const std::string& path, std::int64_t offset) override;

  bool Ended() const { return ended_; }
  Module1& Module() { return module_; }
  Dialogs& DialogsInUse() { return *dialogs_; }
  // The windows created so far (null before their first showing).
  Mainform* MainLogic() { return mainLogic_.get(); }
  form1* MapLogic() { return mapLogic_.get(); }
  form2* HexLogic() { return hexLogic_.get(); }
  MainWindow* MainWin() { return mainWin_.get(); }
  SectorMapWindow* MapWin() { return mapWin_.get(); }
  HexWindow* HexWin() { return hexWin_.get(); }

 private:
  FormWindow& Create(FormId form);
  // Form_Load, then the window, never smaller than its layout, centred within the screen.
  void Load(FormWindow& window);
  // The logic and the window of a form, made and loaded the first time they are asked for.
  template <class Logic, class Window>
  Window& Made(std::unique_ptr<Logic>& logic, std::unique_ptr<Window>& window);

  QtMetrics metrics_;
  std::unique_ptr<Dialogs> dialogs_;
  DiskFiles files_;
  Module1 module_;
  Platform platform_;
  ActivationTracker tracker_;
  // The logic outlives its form, which shows the logic's surface and values.
  std::unique_ptr<Mainform> mainLogic_;
  std::unique_ptr<form1> mapLogic_;
  std::unique_ptr<form2> hexLogic_;
  std::unique_ptr<MainWindow> mainWin_;
  std::unique_ptr<SectorMapWindow> mapWin_;
  std::unique_ptr<HexWindow> hexWin_;
  bool ended_ = false;
};

}  // namespace m1::qt
