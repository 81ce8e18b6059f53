// The widget that shows a window's drawing surface. The surface keeps every item drawn on it, so
// the widget can paint the whole picture again whenever the window system asks (after the window
// was covered, for instance); it never decides a colour or a place itself.
#pragma once

#include <QFont>
#include <QWidget>

#include "platform/surface.h"

namespace m1::qt {

class SurfaceWidget final : public QWidget {
  Q_OBJECT

 public:
  SurfaceWidget(Surface& surface, const QFont& font, QWidget* parent = nullptr);
  ~SurfaceWidget() override;
  SurfaceWidget(const SurfaceWidget&) = delete;
  SurfaceWidget& operator=(const SurfaceWidget&) = delete;

  const Surface& surface() const { return surface_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Surface& surface_;
};

}  // namespace m1::qt
