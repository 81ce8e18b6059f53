#include "viewer/qt/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

#include "viewer/layout.h"

namespace m1::qt {

MainWindow::MainWindow(Mainform& logic, ActivationTracker& tracker)
    : FormWindow(logic.surface, Mainform::kWidth, Mainform::kHeight, tracker), logic_(logic) {
  setObjectName(QStringLiteral("Mainform"));
  setWindowTitle(QStringLiteral(
      "m1view 9.0 - sector viewer for JV1, JV3 and DMK disk images - by m1view developers"));

  QAction* open = nullptr;
  QAction* exit = nullptr;
  AddFileMenu(open, exit);
  QAction* help = menuBar()->addAction(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help"));
  connect(open, &QAction::triggered, this, &MainWindow::OnOpen);
  connect(exit, &QAction::triggered, this, &MainWindow::OnExit);
  connect(help, &QAction::triggered, this, &MainWindow::OnHelp);

  QWidget* page = Page();
  const ControlWidgets controls =
      MakeControls(page, mainlayout::kControls, mainlayout::kLines, logic.surface.Background());
  for (const NamedBox<Mainform>& b : kMainformBoxes) {
    boxes_.emplace_back(controls.Get<QLineEdit>(b.name), b.box);
  }
  combo_ = controls.Get<QComboBox>("Combo1");
  QPalette comboPalette = combo_->palette();
  comboPalette.setColor(QPalette::Base, ToQColor(Mainform::kCombo1Background));
  combo_->setPalette(comboPalette);
  connect(combo_, &QComboBox::editTextChanged, this, &MainWindow::OnComboText);
  connect(combo_, &QComboBox::textActivated, this, &MainWindow::OnComboText);

  list_ = controls.Get<QListWidget>("List2");
  QPalette listPalette = list_->palette();
  listPalette.setColor(QPalette::Base, ToQColor(Mainform::kList2Background));
  list_->setPalette(listPalette);

  const std::pair<const char*, void (MainWindow::*)()> buttons[] = {
      {"CmndGotoTrk", &MainWindow::OnGotoTrk}, {"CmndNextsec", &MainWindow::OnNextsec},
      {"CmndPrevsec", &MainWindow::OnPrevsec}, {"CmndNexTrack", &MainWindow::OnNexTrack},
      {"CmndPrevTrk", &MainWindow::OnPrevTrk}, {"CmndDirFind", &MainWindow::OnDirFind},
      {"Cmndsecdisp", &MainWindow::OnSecdisp}, {"Cmndhexedit", &MainWindow::OnHexedit},
  };
  for (const auto& [name, slot] : buttons) {
    connect(controls.Get<QPushButton>(name), &QPushButton::clicked, this, slot);
  }
  SortTabOrder();
  FitToClient();
  AddDiskMenuAndStatus();
}

void MainWindow::Load() {
  logic_.Form_Load();
  Sync();
}

void MainWindow::Sync() {
  for (const auto& [widget, box] : boxes_) ShowTextBox(widget, logic_.*box);
  ShowCombo(combo_, logic_.Combo1);
  ShowList(list_, logic_.List2);
  SyncDisk();
}

void MainWindow::Activated() {
  logic_.Form_Activate();
  Sync();
}
void MainWindow::Resized() {
  logic_.Form_Resize();
  Sync();
}
void MainWindow::QueryUnload(int& cancel, int unloadMode) {
  logic_.Form_QueryUnload(cancel, unloadMode);
}

void MainWindow::OnOpen() {
  logic_.mnuFileItem_Click(1);
  Sync();
}
void MainWindow::OnExit() {
  logic_.mnuFileItem_Click(4);
  Sync();
}
void MainWindow::OnHelp() {
  logic_.Help_Click();
  Sync();
}
void MainWindow::OnGotoTrk() {
  logic_.CmndGotoTrk_Click();
  Sync();
}
void MainWindow::OnNextsec() {
  logic_.CmndNextsec_Click();
  Sync();
}
void MainWindow::OnPrevsec() {
  logic_.CmndPrevsec_Click();
  Sync();
}
void MainWindow::OnNexTrack() {
  logic_.CmndNexTrack_Click();
  Sync();
}
void MainWindow::OnPrevTrk() {
  logic_.CmndPrevTrk_Click();
  Sync();
}
void MainWindow::OnDirFind() {
  logic_.CmndDirFind_Click();
  Sync();
}
void MainWindow::OnSecdisp() {
  logic_.Cmndsecdisp_Click();
  Sync();
}
void MainWindow::OnHexedit() {
  logic_.Cmndhexedit_Click();
  Sync();
}
void MainWindow::OnComboText(const QString& text) {
  logic_.Combo1_Change(ToText(text));
  Sync();
}

}  // namespace m1::qt
