// Small routines the windows over a logic share.
#pragma once

#include <QLabel>
#include <QString>

namespace m1::qt {

// What a control's signal connects to: the logic's handler with the signal's argument, then the
// window's Sync, which shows what the handler produced. The window owns both the logic and the
// connection.
template <class Window, class Logic, class Owner, class Arg>
auto ThenSync(Window* window, Logic& logic, void (Owner::*handler)(Arg)) {
  return [window, &logic, handler](Arg value) {
    (logic.*handler)(value);
    window->Sync();
  };
}

// A label that shows a value the user may select and copy, named for tests and accessibility.
inline QLabel* ValueLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace m1::qt
