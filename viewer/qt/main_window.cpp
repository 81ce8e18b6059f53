#include "viewer/qt/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "platform/qt/status_line.h"
#include "viewer/layout.h"

namespace m1::qt {

MainWindow::MainWindow(Mainform& logic, ActivationTracker& tracker) : LogicWindow(logic, tracker) {
  setObjectName(QStringLiteral("Mainform"));
  setWindowTitle(QStringLiteral(
      "m1view 9.0 - sector viewer for JV1, JV3 and DMK disk images - by m1view developers"));

  AddHelpMenu();

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
  // The user typed into the list's edit box, or picked an item of its list.
  const auto typed = [this](const QString& text) { Run(&Mainform::Combo1_Change, ToText(text)); };
  connect(combo_, &QComboBox::editTextChanged, this, typed);
  connect(combo_, &QComboBox::textActivated, this, typed);

  list_ = controls.Get<QListWidget>("List2");
  QPalette listPalette = list_->palette();
  listPalette.setColor(QPalette::Base, ToQColor(Mainform::kList2Background));
  list_->setPalette(listPalette);

  const std::pair<const char*, void (Mainform::*)()> buttons[] = {
      {"CmndGotoTrk", &Mainform::CmndGotoTrk_Click},
      {"CmndNextsec", &Mainform::CmndNextsec_Click},
      {"CmndPrevsec", &Mainform::CmndPrevsec_Click},
      {"CmndNexTrack", &Mainform::CmndNexTrack_Click},
      {"CmndPrevTrk", &Mainform::CmndPrevTrk_Click},
      {"CmndDirFind", &Mainform::CmndDirFind_Click},
      {"Cmndsecdisp", &Mainform::Cmndsecdisp_Click},
      {"Cmndhexedit", &Mainform::Cmndhexedit_Click},
  };
  for (const auto& [name, slot] : buttons) {
    connect(controls.Get<QPushButton>(name), &QPushButton::clicked, this, Slot(slot));
  }
  AddDesktopWays();
  SortTabOrder();
  FitToClient();
  AddStatusBar();
}

void MainWindow::Sync() {
  ShowTextBoxes();
  ShowCombo(combo_, logic_.Combo1);
  ShowList(list_, logic_.List2);
  SyncDisk();
}

QMenu* MainWindow::AddMenu(const QString& title, const QString& name) {
  auto* menu = new QMenu(title, this);
  menu->setObjectName(name);
  menuBar()->insertMenu(findChild<QAction*>(QStringLiteral("Help")), menu);
  return menu;
}

void MainWindow::AddStatusBar() {
  statusBar()->setFont(QFont());
  statusBar()->setSizeGripEnabled(false);
  status_ = new StatusLine(statusBar());
  status_->setObjectName(QStringLiteral("diskStatus"));
  statusBar()->addWidget(status_, 1);
  resize(ClientSize().width(),
         ClientSize().height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

void MainWindow::SyncDisk() {
  if (status_ == nullptr) return;
  const StatusParts parts = disk_.Status();
  status_->Show(FromText(parts.Lead()), FromText(parts.health), FromText(parts.Trail()));
  if (imageSynced_ == logic_.imagesAnalysed) return;
  imageSynced_ = logic_.imagesAnalysed;
  emit ImageChanged();
}

}  // namespace m1::qt
