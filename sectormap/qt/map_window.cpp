#include "sectormap/qt/map_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "sectormap/map_layout.h"

namespace m1::qt {

SectorMapWindow::SectorMapWindow(form1& logic, ActivationTracker& tracker)
    : LogicWindow(logic, tracker) {
  setObjectName(QStringLiteral("form1"));
  setWindowTitle(QStringLiteral(
      "m1view - file sector display for DMK and JV emulator disk images - by m1view developers"));

  AddHelpMenu();

  const ControlWidgets controls =
      MakeControls(Page(), maplayout::kControls, maplayout::kLines, logic.surface.Background());
  text1_ = controls.Get<QLineEdit>("Text1");
  filename_ = controls.Get<QLineEdit>("TxtFilename");
  option1_ = controls.Get<QRadioButton>("Option1");
  option2_ = controls.Get<QRadioButton>("Option2");
  // An option reports its choice, not its release: the one just chosen calls its handler. Each
  // lambda names its handler: built with GCC 12 and AddressSanitizer, a closure here that carried
  // the handler as a member pointer was read from a stack frame long gone.
  connect(option1_, &QRadioButton::toggled, this, [this](bool chosen) {
    if (chosen) logic_.Option1_Click();
    Sync();
  });
  connect(option2_, &QRadioButton::toggled, this, [this](bool chosen) {
    if (chosen) logic_.Option2_Click();
    Sync();
  });
  for (const auto& [name, click] : {std::pair{"Cmndnext", &form1::Cmndnext_Click},
                                    std::pair{"Cmndprev", &form1::Cmndprev_Click},
                                    std::pair{"Cmndfiledisp", &form1::Cmndfiledisp_Click}}) {
    connect(controls.Get<QPushButton>(name), &QPushButton::clicked, this, Slot(click));
  }
  SortTabOrder();
  FitToClient();
  AddDesktopWays();
}

void SectorMapWindow::Sync() {
  ShowTextBox(text1_, logic_.Text1);
  ShowTextBox(filename_, logic_.TxtFilename);
  ShowOption(option1_, logic_.Option1);
  ShowOption(option2_, logic_.Option2);
}

}  // namespace m1::qt
