#include "platform/qt/qt_metrics.h"

#include <QFontInfo>
#include <algorithm>
#include <cmath>

#include "platform/qt/qt_convert.h"

namespace m1::qt {

QFont WindowFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(8.25);
  font.setWeight(QFont::Bold);
  return font;
}

QtMetrics::QtMetrics(const QFont& font)
    : metrics_(font),
      fixedPitch_(QFontInfo(font).fixedPitch()),
      advance_(metrics_.horizontalAdvance(QLatin1Char('0'))),
      // One line of the font, whatever the text, in whole pixels, so that printed lines stand on
      // pixel rows as the window system's own text does (13 pixels, 195 twips, for the window
      // font).
      lineHeight_(static_cast<Twips>(std::ceil(metrics_.height() - 0.01)) * kTwipsPerPixel) {}

Twips QtMetrics::TextWidth(std::string_view text) const {
  // In a fixed-pitch font a text of printable ASCII is as wide as its characters side by side;
  // shaping each printed item would cost more than the rest of a page put together.
  const bool plain =
      std::all_of(text.begin(), text.end(), [](char c) { return c >= 32 && c < 127; });
  if (fixedPitch_ && plain) {
    return static_cast<Twips>(
        std::lround(static_cast<double>(text.size()) * advance_ * kTwipsPerPixel));
  }
  return static_cast<Twips>(
      std::lround(metrics_.horizontalAdvance(FromText(text)) * kTwipsPerPixel));
}

Twips QtMetrics::TextHeight(std::string_view) const {
  return lineHeight_;
}

}  // namespace m1::qt
