// What is under the mouse, told in a status bar under the window's designed area and in a
// tooltip. The window grows by the height of the bar, so the designed area keeps its size; the
// pointer's place over the drawing surface is reported in twips, for the window logic to say what
// is drawn there.
#pragma once

#include <QObject>
#include <QPoint>
#include <string>

class QMainWindow;
class QWidget;

namespace m1::qt {

class StatusLine;

class HoverStatus final : public QObject {
  Q_OBJECT

 public:
  // page: the widget whose points are reported (the window's drawing surface). The status bar and
  // this watcher are children of the window.
  HoverStatus(QMainWindow* window, QWidget* page);

  // Shows text in the status bar and as the page's tooltip; an empty text clears both.
  void Show(const std::string& text) { Show({}, text, {}); }
  // Shows a line in three parts (StatusLine): a narrow bar shortens only the body.
  void Show(const std::string& lead, const std::string& body, const std::string& trail);

 signals:
  // The pointer moved to (x, y) twips of the page.
  void Hovered(int x, int y);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* page_;
  StatusLine* label_;
  QPoint lastGlobal_;
};

}  // namespace m1::qt
