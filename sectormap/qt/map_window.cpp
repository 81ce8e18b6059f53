#include "sectormap/qt/map_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "sectormap/map_layout.h"

namespace m1::qt {

SectorMapWindow::SectorMapWindow(form1& logic, ActivationTracker& tracker)
    : FormWindow(logic.surface, form1::kWidth, form1::kHeight, tracker), logic_(logic) {
  setObjectName(QStringLiteral("form1"));
  setWindowTitle(QStringLiteral(
      "m1view - file sector display for DMK and JV emulator disk images - by m1view developers"));

  QAction* open = nullptr;
  QAction* exit = nullptr;
  AddFileMenu(open, exit);
  QAction* help = menuBar()->addAction(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help"));
  connect(open, &QAction::triggered, this, &SectorMapWindow::OnOpen);
  connect(exit, &QAction::triggered, this, &SectorMapWindow::OnExit);
  connect(help, &QAction::triggered, this, &SectorMapWindow::OnHelp);

  const ControlWidgets controls =
      MakeControls(Page(), maplayout::kControls, maplayout::kLines, logic.surface.Background());
  text1_ = controls.Get<QLineEdit>("Text1");
  filename_ = controls.Get<QLineEdit>("TxtFilename");
  option1_ = controls.Get<QRadioButton>("Option1");
  option2_ = controls.Get<QRadioButton>("Option2");
  connect(option1_, &QRadioButton::toggled, this, &SectorMapWindow::OnOption1);
  connect(option2_, &QRadioButton::toggled, this, &SectorMapWindow::OnOption2);
  connect(controls.Get<QPushButton>("Cmndnext"), &QPushButton::clicked, this,
          &SectorMapWindow::OnNext);
  connect(controls.Get<QPushButton>("Cmndprev"), &QPushButton::clicked, this,
          &SectorMapWindow::OnPrev);
  connect(controls.Get<QPushButton>("Cmndfiledisp"), &QPushButton::clicked, this,
          &SectorMapWindow::OnFileDisplay);
  SortTabOrder();
  FitToClient();
  AddStatus();
}

void SectorMapWindow::Load() {
  logic_.Form_Load();
  Sync();
}

void SectorMapWindow::Sync() {
  ShowTextBox(text1_, logic_.Text1);
  ShowTextBox(filename_, logic_.TxtFilename);
  ShowOption(option1_, logic_.Option1);
  ShowOption(option2_, logic_.Option2);
}

void SectorMapWindow::Activated() {
  logic_.Form_Activate();
  Sync();
}
void SectorMapWindow::Resized() {
  logic_.Form_Resize();
  Sync();
}
void SectorMapWindow::QueryUnload(int& cancel, int unloadMode) {
  logic_.Form_QueryUnload(cancel, unloadMode);
}

void SectorMapWindow::OnOpen() {
  logic_.mnuFileItem_Click(1);
  Sync();
}
void SectorMapWindow::OnExit() {
  logic_.mnuFileItem_Click(4);
  Sync();
}
void SectorMapWindow::OnHelp() {
  logic_.Help_Click();
  Sync();
}
// An option reports its choice, not its release: the one just chosen calls its handler.
void SectorMapWindow::OnOption1(bool chosen) {
  if (chosen) logic_.Option1_Click();
  Sync();
}
void SectorMapWindow::OnOption2(bool chosen) {
  if (chosen) logic_.Option2_Click();
  Sync();
}
void SectorMapWindow::OnNext() {
  logic_.Cmndnext_Click();
  Sync();
}
void SectorMapWindow::OnPrev() {
  logic_.Cmndprev_Click();
  Sync();
}
void SectorMapWindow::OnFileDisplay() {
  logic_.Cmndfiledisp_Click();
  Sync();
}

}  // namespace m1::qt
