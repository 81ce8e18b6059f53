// The Disk map's picture in Qt: the cells, texts and legend of a DiskMap painted as vectors, so
// that they stay sharp at any scale, and the widget that shows them with the cell under the mouse
// outlined. The widget keeps the painted map in an image of the screen's own pixels, painted again
// only when the map changed, so that a move of the mouse only redraws an outline.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "diskmap/disk_map_form.h"

class QPainter;

namespace m1::qt {

// The desktop's own font, in which the picture's texts are measured and painted.
QFont MapFont();

// Paints the map (its background, cells, texts and legend) from (0, 0), in device-independent
// pixels of the painter.
void PaintMap(QPainter& painter, const DiskMap& map);

// The map painted into an image of its size at the device pixel ratio given.
QImage RenderMap(const DiskMap& map, qreal devicePixelRatio);

class MapPicture final : public QWidget {
  Q_OBJECT

 public:
  MapPicture(const DiskMapForm& form, QWidget* parent);

 signals:
  // The widget's size, and a click, in twips.
  void Resized(int width, int height);
  void Clicked(int x, int y);
  void Left();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  const DiskMapForm& form_;
  QImage painted_;
  std::optional<std::uint64_t> paintedRevision_;
};

}  // namespace m1::qt
