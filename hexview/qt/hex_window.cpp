#include "hexview/qt/hex_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "hexview/layout.h"

namespace m1::qt {

namespace {

constexpr int kWheelNotch = 120;  // one notch of a mouse wheel, in eighths of a degree

}  // namespace

HexWindow::HexWindow(form2& logic, ActivationTracker& tracker) : LogicWindow(logic, tracker) {
  setObjectName(QStringLiteral("form2"));
  setWindowTitle(QStringLiteral(
      "m1view Hex Viewer 4 - for files and disk image files - by m1view developers"));

  QWidget* page = Page();
  const ControlWidgets controls =
      MakeControls(page, hexlayout::kControls, {}, logic.surface.Background());
  // The captionless buttons that border the printed page take no focus.
  for (const char* edge : {"Command4", "Command2", "Command1", "Command3"}) {
    controls.Get<QPushButton>(edge)->setFocusPolicy(Qt::NoFocus);
  }
  for (const NamedBox<form2>& b : kForm2Boxes) {
    auto* box = controls.Get<QLineEdit>(b.name);
    // Only the path takes the keyboard; the keys elsewhere move the page.
    if (b.box != &form2::TxtFilename) box->setFocusPolicy(Qt::ClickFocus);
    boxes_.emplace_back(box, b.box);
  }
  scroll_ = controls.Get<QScrollBar>("VScroll1");
  connect(scroll_, &QScrollBar::valueChanged, this,
          [this](int value) { Run(&form2::VScroll1_Change, value); });

  page->setFocusPolicy(Qt::StrongFocus);
  page->setAccessibleName(QStringLiteral("Bytes of the file"));
  page->installEventFilter(this);
  SortTabOrder();
  FitToClient();
  AddDesktopWays();
}

void HexWindow::Sync() {
  ShowTextBoxes();
  ShowScrollBar(scroll_, logic_.VScroll1);
}

void HexWindow::Step(int steps) {
  scroll_->setValue(std::clamp(scroll_->value() + steps, scroll_->minimum(), scroll_->maximum()));
}

void HexWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageDown:
      Step(kLinesPerPage);
      break;
    case Qt::Key_PageUp:
      Step(-kLinesPerPage);
      break;
    case Qt::Key_Down:
      Step(1);
      break;
    case Qt::Key_Up:
      Step(-1);
      break;
    default:
      FormWindow::keyPressEvent(event);
      return;
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

}  // namespace m1::qt
