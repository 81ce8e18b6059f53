#include "viewer/qt/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

namespace m1::qt {

namespace {

// The window's own colours: its background and the two list controls, which never change.
constexpr Rgb kWindowColour{192, 192, 192};
constexpr Rgb kCombo1Colour{192, 192, 255};
constexpr Rgb kList2Colour{255, 192, 128};

struct BoxPlace {
  const char* name;
  TwipsRect place;
  TextBox Mainform::*box;
  const char* role;
};

// The text boxes, in the order of the layout (left, top, width, height in twips).
const BoxPlace kBoxes[] = {
    {"Txtfiletype", {600, 120, 495, 315}, &Mainform::Txtfiletype, "File type"},
    {"TxtFilename", {1320, 120, 8055, 315}, &Mainform::TxtFilename, "File name"},
    {"Text1", {120, 600, 1095, 315}, &Mainform::Text1, "Tracks"},
    {"Text2", {1320, 600, 1695, 315}, &Mainform::Text2, "Density"},
    {"Text3", {3120, 600, 1455, 315}, &Mainform::Text3, "Sides"},
    {"Text4", {4680, 600, 2895, 315}, &Mainform::Text4, "Sectors per cylinder"},
    {"Text5", {7680, 600, 1575, 315}, &Mainform::Text5, "Sectors per granule"},
    {"Txttrk", {120, 2400, 375, 255}, &Mainform::Txttrk, "Track"},
    {"txtside", {120, 3000, 375, 255}, &Mainform::txtside, "Side"},
    {"Txtsector", {120, 3600, 375, 255}, &Mainform::Txtsector, "Sector number"},
    {"Txttrkspt", {120, 4440, 375, 375}, &Mainform::Txttrkspt, "Sectors on the track"},
    {"TxtDens", {0, 5400, 495, 375}, &Mainform::TxtDens, "Sector density"},
    {"Txtsectype", {720, 2160, 1095, 315}, &Mainform::Txtsectype, "Sector type"},
    {"Txtdam", {2400, 2160, 495, 315}, &Mainform::Txtdam, "Data address mark"},
    {"Txtsecnum", {3720, 2160, 615, 255}, &Mainform::Txtsecnum, "Sector index"},
    {"Txtlumpnum", {5040, 2160, 375, 255}, &Mainform::Txtlumpnum, "Lump"},
    {"Text6", {6600, 2160, 1095, 315}, &Mainform::Text6, "File offset"},
};

struct LabelPlace {
  const char* name;
  const char* caption;
  TwipsRect place;
};

const LabelPlace kLabels[] = {
    {"Label7", "File Type", {120, 120, 495, 495}}, {"Label2", "Trk", {120, 2160, 375, 255}},
    {"Label4", "Side", {120, 2760, 495, 255}},     {"Label3", "Sec.", {120, 3360, 375, 375}},
    {"Label6", "Spt", {120, 4200, 375, 255}},      {"Label5", "Sec", {120, 4920, 375, 255}},
    {"Label8", "Dens", {120, 5160, 495, 255}},     {"Label10", "DAM", {1920, 2160, 375, 255}},
    {"Label1", "Sec", {3360, 2160, 375, 255}},     {"Label9", "Lump", {4560, 2160, 495, 255}},
};

const LabelPlace kFrames[] = {
    {"Frame1", "Sector step", {0, 6360, 2655, 735}},
    {"Frame2", "Track Step", {2760, 6360, 2895, 735}},
    {"Frame3", "Go to Modes", {7080, 6240, 2295, 975}},
};

struct LinePlace {
  const char* name;
  Twips x1, y1, x2, y2;
  int width;
};

const LinePlace kLines[] = {
    {"Line1", 0, 0, 9480, 0, 3},         {"Line14", 0, 1080, 9360, 1080, 2},
    {"Line9", 0, 1440, 9360, 1440, 2},   {"Line2", 0, 2040, 9360, 2040, 2},
    {"Line3", 600, 2640, 9360, 2640, 2}, {"Line17", 0, 4080, 600, 4080, 2},
    {"Line5", 0, 6120, 9360, 6120, 2},   {"Line4", 600, 2040, 600, 6000, 2},
    {"Line7", 2520, 1440, 2520, 2040, 2}, {"Line8", 6960, 1440, 6960, 2040, 2},
    {"Line16", 9360, 1200, 9360, 1560, 2}, {"Line13", 9360, 1560, 9360, 2040, 2},
    {"Line6", 9360, 2040, 9360, 6000, 2},
};

}  // namespace

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
  // Frames first: they lie under the buttons they frame.
  for (const LabelPlace& f : kFrames) MakeFrame(page, f.name, f.caption, f.place, kWindowColour);
  for (const LabelPlace& l : kLabels) MakeLabel(page, l.name, l.caption, l.place);
  for (const BoxPlace& b : kBoxes) boxes_.emplace_back(MakeTextBox(page, b.name, b.place, b.role), b.box);

  combo_ = new QComboBox(page);
  combo_->setObjectName(QStringLiteral("Combo1"));
  combo_->setAccessibleName(QStringLiteral("Track to go to"));
  combo_->setEditable(true);
  // The typing goes to the list's own edit box, which a screen reader names on its own.
  combo_->lineEdit()->setAccessibleName(combo_->accessibleName());
  combo_->setInsertPolicy(QComboBox::NoInsert);
  combo_->setGeometry(PxRect({1560, 1560, 855, 330}));
  QPalette comboPalette = combo_->palette();
  comboPalette.setColor(QPalette::Base, ToQColor(kCombo1Colour));
  combo_->setPalette(comboPalette);
  connect(combo_, &QComboBox::editTextChanged, this, &MainWindow::OnComboText);
  connect(combo_, &QComboBox::textActivated, this, &MainWindow::OnComboText);

  list_ = new QListWidget(page);
  list_->setObjectName(QStringLiteral("List2"));
  list_->setAccessibleName(QStringLiteral("Notes on the image"));
  list_->setGeometry(PxRect({2640, 1560, 4215, 270}));
  QPalette listPalette = list_->palette();
  listPalette.setColor(QPalette::Base, ToQColor(kList2Colour));
  list_->setPalette(listPalette);

  struct ButtonPlace {
    const char* name;
    const char* caption;
    TwipsRect place;
    void (MainWindow::*slot)();
  };
  const ButtonPlace buttons[] = {
      {"CmndGotoTrk", "Goto Track", {240, 1560, 1215, 330}, &MainWindow::OnGotoTrk},
      {"CmndNextsec", "Next Sec", {120, 6600, 1095, 375}, &MainWindow::OnNextsec},
      {"CmndPrevsec", "Prev Sec", {1440, 6600, 1095, 375}, &MainWindow::OnPrevsec},
      {"CmndNexTrack", "Next Track", {2880, 6600, 1215, 375}, &MainWindow::OnNexTrack},
      {"CmndPrevTrk", "Prev. Track", {4200, 6600, 1335, 375}, &MainWindow::OnPrevTrk},
      {"CmndDirFind", " To Directory", {5760, 6480, 1215, 495}, &MainWindow::OnDirFind},
      {"Cmndsecdisp", "Sector Display", {7200, 6600, 975, 495}, &MainWindow::OnSecdisp},
      {"Cmndhexedit", "Hex Editor", {8280, 6600, 975, 495}, &MainWindow::OnHexedit},
  };
  for (const ButtonPlace& b : buttons) {
    connect(MakeButton(page, b.name, b.caption, b.place), &QPushButton::clicked, this, b.slot);
  }
  for (const LinePlace& l : kLines) MakeLine(page, l.name, l.x1, l.y1, l.x2, l.y2, l.width);
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

void MainWindow::Activated() { logic_.Form_Activate(); Sync(); }
void MainWindow::Resized() { logic_.Form_Resize(); Sync(); }
void MainWindow::QueryUnload(int& cancel, int unloadMode) { logic_.Form_QueryUnload(cancel, unloadMode); }

void MainWindow::OnOpen() { logic_.mnuFileItem_Click(1); Sync(); }
void MainWindow::OnExit() { logic_.mnuFileItem_Click(4); Sync(); }
void MainWindow::OnHelp() { logic_.Help_Click(); Sync(); }
void MainWindow::OnGotoTrk() { logic_.CmndGotoTrk_Click(); Sync(); }
void MainWindow::OnNextsec() { logic_.CmndNextsec_Click(); Sync(); }
void MainWindow::OnPrevsec() { logic_.CmndPrevsec_Click(); Sync(); }
void MainWindow::OnNexTrack() { logic_.CmndNexTrack_Click(); Sync(); }
void MainWindow::OnPrevTrk() { logic_.CmndPrevTrk_Click(); Sync(); }
void MainWindow::OnDirFind() { logic_.CmndDirFind_Click(); Sync(); }
void MainWindow::OnSecdisp() { logic_.Cmndsecdisp_Click(); Sync(); }
void MainWindow::OnHexedit() { logic_.Cmndhexedit_Click(); Sync(); }
void MainWindow::OnComboText(const QString& text) { logic_.Combo1_Change(ToText(text)); Sync(); }

}  // namespace m1::qt
