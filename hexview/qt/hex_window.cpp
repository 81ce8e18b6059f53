#include "hexview/qt/hex_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace m1::qt {

namespace {

struct BoxPlace {
  const char* name;
  TwipsRect place;
  TextBox form2::*box;
  const char* role;
};

const BoxPlace kBoxes[] = {
    {"TxtFilename", {360, 120, 8775, 315}, &form2::TxtFilename, "File name"},
    {"Text1", {360, 720, 855, 315}, &form2::Text1, "File length"},
    {"Text2", {1440, 600, 495, 315}, &form2::Text2, "Format"},
    {"Text3", {2040, 600, 855, 315}, &form2::Text3, "Legend 1"},
    {"Text5", {2880, 600, 735, 315}, &form2::Text5, "Legend 2"},
    {"Text6", {3600, 600, 1695, 315}, &form2::Text6, "Legend 3"},
    {"Text7", {5400, 600, 975, 315}, &form2::Text7, "Legend 4"},
    {"Text4", {6600, 600, 2775, 315}, &form2::Text4, "Legend 5"},
    {"Text8", {240, 1200, 8655, 315}, &form2::Text8, "Note"},
};

// The four captionless buttons that border the printed page.
struct EdgePlace {
  const char* name;
  TwipsRect place;
};

const EdgePlace kEdges[] = {
    {"Command4", {120, 1080, 9015, 495}},
    {"Command2", {0, 1080, 135, 7335}},
    {"Command1", {9120, 1080, 375, 6615}},
    {"Command3", {120, 7680, 9375, 690}},
};

constexpr int kWheelNotch = 120;  // one notch of a mouse wheel, in eighths of a degree

}  // namespace

HexWindow::HexWindow(form2& logic, ActivationTracker& tracker)
    : FormWindow(logic.surface, form2::kWidth, form2::kHeight, tracker), logic_(logic) {
  setObjectName(QStringLiteral("form2"));
  setWindowTitle(QStringLiteral(
      "m1view Hex Viewer 4 - for files and disk image files - by m1view developers"));

  QAction* open = nullptr;
  QAction* exit = nullptr;
  AddFileMenu(open, exit);
  connect(open, &QAction::triggered, this, &HexWindow::OnOpen);
  connect(exit, &QAction::triggered, this, &HexWindow::OnExit);

  QWidget* page = Page();
  MakeFrame(page, "Frame1", "", {0, 0, 9495, 1095}, logic.surface.Background());
  for (const EdgePlace& e : kEdges) {
    QPushButton* edge = MakeButton(page, e.name, "", e.place);
    edge->setFocusPolicy(Qt::NoFocus);
  }
  MakeLabel(page, "Label1", "File Length ", {120, 480, 1815, 255});
  for (const BoxPlace& b : kBoxes) {
    QLineEdit* box = MakeTextBox(page, b.name, b.place, b.role);
    // Only the path takes the keyboard; the keys elsewhere move the page.
    if (b.box != &form2::TxtFilename) box->setFocusPolicy(Qt::ClickFocus);
    boxes_.emplace_back(box, b.box);
  }
  scroll_ = new QScrollBar(Qt::Vertical, page);
  scroll_->setObjectName(QStringLiteral("VScroll1"));
  scroll_->setAccessibleName(QStringLiteral("Position in the file"));
  scroll_->setGeometry(PxRect({8880, 1560, 255, 6135}));
  connect(scroll_, &QScrollBar::valueChanged, this, &HexWindow::OnScroll);

  page->setFocusPolicy(Qt::StrongFocus);
  page->setAccessibleName(QStringLiteral("Bytes of the file"));
  page->installEventFilter(this);
  SortTabOrder();
  FitToClient();
  AddDesktopWays();
}

void HexWindow::Load() {
  logic_.Form_Load();
  Sync();
}

void HexWindow::Sync() {
  for (const auto& [widget, box] : boxes_) ShowTextBox(widget, logic_.*box);
  ShowScrollBar(scroll_, logic_.VScroll1);
}

void HexWindow::Step(int steps) {
  scroll_->setValue(std::clamp(scroll_->value() + steps, scroll_->minimum(), scroll_->maximum()));
}

void HexWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageDown: Step(kLinesPerPage); break;
    case Qt::Key_PageUp: Step(-kLinesPerPage); break;
    case Qt::Key_Down: Step(1); break;
    case Qt::Key_Up: Step(-1); break;
    default: FormWindow::keyPressEvent(event); return;
  }
  event->accept();
}

bool HexWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Page() && event->type() == QEvent::Wheel) {
    wheelRest_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
    const int notches = wheelRest_ / kWheelNotch;
    wheelRest_ -= notches * kWheelNotch;
    Step(-notches);  // turning the wheel away from the user goes back in the file
    return true;
  }
  return FormWindow::eventFilter(watched, event);
}

void HexWindow::Activated() { logic_.Form_Activate(); Sync(); }
void HexWindow::Deactivated() { logic_.Form_Deactivate(); Sync(); }
void HexWindow::Resized() { logic_.Form_Resize(); Sync(); }
void HexWindow::QueryUnload(int& cancel, int unloadMode) { logic_.Form_QueryUnload(cancel, unloadMode); }

void HexWindow::OnOpen() { logic_.mnuFileItem_Click(1); Sync(); }
void HexWindow::OnExit() { logic_.mnuFileItem_Click(4); Sync(); }
void HexWindow::OnScroll(int value) { logic_.VScroll1_Change(value); Sync(); }

}  // namespace m1::qt
