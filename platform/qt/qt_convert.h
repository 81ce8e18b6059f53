// Small conversions between the platform's plain values and Qt's: twips to pixels, colours, texts.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "platform/controls.h"

namespace m1::qt {

// The layout is drawn at 1440 twips to the inch; Qt's device-independent pixel is 1/96 inch, so
// one pixel is 15 twips and Qt's high-DPI scaling keeps the layout on any screen.
inline constexpr int kTwipsPerPixel = 15;

// Whole pixels for a twips value, rounding down (also for negative values).
constexpr int Px(Twips t) {
  return t >= 0 ? t / kTwipsPerPixel : -((-t + kTwipsPerPixel - 1) / kTwipsPerPixel);
}
constexpr double PxF(Twips t) {
  return static_cast<double>(t) / kTwipsPerPixel;
}

inline QRect PxRect(const TwipsRect& r) {
  return QRect(Px(r.left), Px(r.top), Px(r.width), Px(r.height));
}

inline QColor ToQColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}
inline Rgb ToRgb(const QColor& c) {
  return Rgb{c.red(), c.green(), c.blue()};
}

// The program's texts are ASCII; paths come from the file system as UTF-8.
inline QString FromText(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string ToText(const QString& s) {
  return s.toStdString();
}

}  // namespace m1::qt
