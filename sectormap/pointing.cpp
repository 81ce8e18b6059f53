// Pointing at the map: each sector number the page prints is noted with its box, so that a point
// of the page leads back to the sector record drawn there.
#include "sectormap/form1.h"

namespace m1 {

void form1::NoteDrawn(const std::string& text, std::int64_t offset, bool idField) {
  const Twips left = surface.CurrentX();
  const Twips top = surface.CurrentY();
  drawnSectors.push_back(
      {left, top, left + surface.TextWidth(text), top + surface.TextHeight(text), offset, idField});
}

std::optional<form1::DrawnSector> form1::SectorAt(Twips x, Twips y) const {
  // A later print lies over an earlier one at the same place, so the last box holding the point
  // is the one on show.
  for (auto it = drawnSectors.rbegin(); it != drawnSectors.rend(); ++it) {
    if (x >= it->left && x < it->right && y >= it->top && y < it->bottom) return *it;
  }
  return std::nullopt;
}

}  // namespace m1
