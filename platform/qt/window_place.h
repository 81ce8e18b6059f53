// Where the program's windows open and how they come back. Every window opens with its frame
// inside the available area of its screen (the desktop less its panels), and every way of asking
// for a window brings it back from the taskbar, above the others and active.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace m1::qt {

// The frame rectangle `frame` moved, and shrunk where it must, to lie inside `available`, never
// smaller than `minimum`. A frame that cannot fit even at its minimum stands at the available
// area's left or top edge, so that its title bar and menus stay on the screen.
QRect FitInside(const QRect& frame, const QSize& minimum, const QRect& available);

// Places a window before its first showing: its frame centred on `centre`, then fitted inside the
// available area of its screen (FitInside, the window's minimum size its least).
void OpenCentredOn(QWidget& window, QPoint centre);

// Shows a window that is asked for: restored when minimised, raised and made active.
void BringForward(QWidget& window);

}  // namespace m1::qt
