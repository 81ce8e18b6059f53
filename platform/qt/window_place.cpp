#include "platform/qt/window_place.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace m1::qt {

namespace {

// One side of a frame: its length within `available` (at least `minimum`) and its start, inside
// where it fits, else at the area's start.
std::pair<int, int> FitSide(int start, int length, int minimum, int areaStart, int areaLength) {
  const int fitted = std::max(std::min(length, areaLength), minimum);
  const int last = areaStart + areaLength - fitted;  // the latest start that keeps the end inside
  return {std::max(areaStart, std::min(start, last)), fitted};
}

// The frame the desktop puts around the window. Before its first showing a window has none yet:
// the style's title bar above it stands in for it.
QMargins FrameOf(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect inner = window.geometry();
  if (frame != inner) {
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
  }
  return {0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0};
}

// Moves the window's frame to `frame` fitted inside the available area of the window's screen.
void PlaceFrame(QWidget& window, QRect frame, const QMargins& margins) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    frame = FitInside(frame, window.minimumSize().grownBy(margins), screen->availableGeometry());
  }
  window.resize(frame.size().shrunkBy(margins));
  // A window's position is that of its frame.
  window.move(frame.topLeft());
}

}  // namespace

QRect FitInside(const QRect& frame, const QSize& minimum, const QRect& available) {
  const auto [x, width] =
      FitSide(frame.x(), frame.width(), minimum.width(), available.x(), available.width());
  const auto [y, height] =
      FitSide(frame.y(), frame.height(), minimum.height(), available.y(), available.height());
  return {x, y, width, height};
}

void OpenCentredOn(QWidget& window, QPoint centre) {
  const QMargins margins = FrameOf(window);
  QRect frame(QPoint(), window.size().grownBy(margins));
  frame.moveCenter(centre);
  PlaceFrame(window, frame, margins);
}

void BringForward(QWidget& window) {
  const bool opening = !window.isVisible();
  if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  // The desktop's frame is known once the window is shown: it too must lie inside the screen.
  if (opening) {
    const QMargins margins = FrameOf(window);
    PlaceFrame(window, window.geometry().marginsAdded(margins), margins);
  }
  window.raise();
  window.activateWindow();
}

}  // namespace m1::qt
