#include "sectormap/qt/map_window.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

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

  QWidget* page = Page();
  const Rgb window = logic.surface.Background();
  // Frames first: they lie under the buttons they frame.
  MakeFrame(page, "Frame1", "", {1440, 6360, 3255, 735}, window);
  MakeFrame(page, "Frame2", "", {5040, 6360, 2415, 735}, window);
  text1_ = MakeTextBox(page, "Text1", {240, 120, 615, 315}, "Format");
  filename_ = MakeTextBox(page, "TxtFilename", {960, 120, 8295, 315}, "File name");
  option1_ = MakeOption(page, "Option1", {2040, 480, 255, 210}, "Display Sec's Numeric order");
  MakeLabel(page, "Label1", "Display Sec's Numeric order ", {2520, 480, 3015, 255});
  option2_ = MakeOption(page, "Option2", {2040, 720, 255, 210}, "Display Sec's Interleave order");
  MakeLabel(page, "Label2", "Display Sec's Interleave order", {2520, 720, 3375, 255});
  connect(option1_, &QRadioButton::toggled, this, &SectorMapWindow::OnOption1);
  connect(option2_, &QRadioButton::toggled, this, &SectorMapWindow::OnOption2);
  connect(MakeButton(page, "Cmndnext", "Next", {1800, 6600, 975, 330}), &QPushButton::clicked, this,
          &SectorMapWindow::OnNext);
  connect(MakeButton(page, "Cmndprev", "Previous", {3120, 6600, 1335, 375}), &QPushButton::clicked,
          this, &SectorMapWindow::OnPrev);
  connect(MakeButton(page, "Cmndfiledisp", "File Display Mode", {5160, 6600, 2055, 375}),
          &QPushButton::clicked, this, &SectorMapWindow::OnFileDisplay);
  // The file band, the key band, the map and the button band.
  MakeLine(page, "Line1", 0, 0, 9480, 0, 3);
  MakeLine(page, "Line2", 0, 960, 9480, 960, 2);
  MakeLine(page, "Line3", 0, 1920, 9480, 1920, 2);
  MakeLine(page, "Line4", 0, 6240, 9480, 6240, 2);
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

void SectorMapWindow::Activated() { logic_.Form_Activate(); Sync(); }
void SectorMapWindow::Resized() { logic_.Form_Resize(); Sync(); }
void SectorMapWindow::QueryUnload(int& cancel, int unloadMode) { logic_.Form_QueryUnload(cancel, unloadMode); }

void SectorMapWindow::OnOpen() { logic_.mnuFileItem_Click(1); Sync(); }
void SectorMapWindow::OnExit() { logic_.mnuFileItem_Click(4); Sync(); }
void SectorMapWindow::OnHelp() { logic_.Help_Click(); Sync(); }
// An option reports its choice, not its release: the one just chosen calls its handler.
void SectorMapWindow::OnOption1(bool chosen) { if (chosen) logic_.Option1_Click(); Sync(); }
void SectorMapWindow::OnOption2(bool chosen) { if (chosen) logic_.Option2_Click(); Sync(); }
void SectorMapWindow::OnNext() { logic_.Cmndnext_Click(); Sync(); }
void SectorMapWindow::OnPrev() { logic_.Cmndprev_Click(); Sync(); }
void SectorMapWindow::OnFileDisplay() { logic_.Cmndfiledisp_Click(); Sync(); }

}  // namespace m1::qt
