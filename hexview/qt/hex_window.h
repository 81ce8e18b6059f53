// The hex editor window (form2) in Qt: its widgets, menu and scroll bar, and slots that hand every
// event to the window logic and then show what it produced. The keys and the mouse wheel move the
// scroll bar as in any hex view: a line per arrow key or wheel notch, a page (28 lines) per Page
// Up or Page Down.
#pragma once

#include <utility>
#include <vector>

#include "hexview/form2.h"
#include "platform/qt/form_window.h"
#include "platform/qt/hover_status.h"

namespace m1::qt {

class HexWindow final : public LogicWindow<form2> {
  Q_OBJECT

 public:
  HexWindow(form2& logic, ActivationTracker& tracker);

  void Sync() override;

  static constexpr int kLinesPerPage = 28;  // scroll steps of one page (16 bytes a step)

 protected:
  void Deactivated() override { Run(&form2::Form_Deactivate); }
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The ways in from the desktop: files dropped on the window, the Edit menu, the explanation of
  // the byte under the mouse.
  void AddDesktopWays();
  // Moves the scroll bar by steps lines, within its range; the bar then reports the change.
  void Step(int steps);

  QScrollBar* scroll_ = nullptr;
  HoverStatus* hover_ = nullptr;
  int wheelRest_ = 0;  // wheel turn not yet worth a whole notch (fine-grained wheels and pads)
};

}  // namespace m1::qt
