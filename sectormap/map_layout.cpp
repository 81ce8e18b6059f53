#include "sectormap/map_layout.h"

#include "core/text/number_text.h"

namespace m1::maplayout {

std::string NumberForm(std::int64_t n) {
  return SignedText(n) + " ";
}

std::string TrackLabel(int track, int side) {
  return std::string("Trk") + (track < 10 ? " " : "") + NumberForm(track) + ":" + NumberForm(side);
}

Rgb LabelColour(int side) {
  return side == 1 ? kLabelSide1 : kLabelSide0;
}

}  // namespace m1::maplayout
