// The window font and its text metrics in twips.
#pragma once

#include <QFont>
#include <QFontMetricsF>

#include "platform/surface.h"

namespace m1::qt {

// Courier New, 8.25 point, bold (weight 700): the font of every window and of everything printed
// on a window. Where Courier New is missing, fontconfig gives its metric twin (Liberation Mono).
QFont WindowFont();

// Text width and line height of a font, in twips at 15 twips a device-independent pixel.
class QtMetrics final : public TextMetrics {
 public:
  explicit QtMetrics(const QFont& font = WindowFont());
  Twips TextWidth(std::string_view text) const override;
  Twips TextHeight(std::string_view text) const override;

 private:
  QFontMetricsF metrics_;
  bool fixedPitch_;
  double advance_;  // of one character, in pixels
  Twips lineHeight_;
};

}  // namespace m1::qt
