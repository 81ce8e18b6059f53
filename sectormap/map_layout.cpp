#include "sectormap/map_layout.h"

namespace m1::maplayout {

std::string NumberForm(std::int64_t n) {
  if (n < 0) return "-" + std::to_string(-n) + " ";
  return " " + std::to_string(n) + " ";
}

std::string HexForm(unsigned n) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kDigits[n % 16]);
    n /= 16;
  } while (n != 0);
  return out;
}

std::string TrackLabel(int track, int side) {
  return std::string("Trk") + (track < 10 ? " " : "") + NumberForm(track) + ":" + NumberForm(side);
}

Rgb LabelColour(int side) { return side == 1 ? kLabelSide1 : kLabelSide0; }

}  // namespace m1::maplayout
