#include "core/design/disk_image.h"

#include <cmath>

namespace m1 {

namespace {

// A table slot for a whole-number index, or 0 when the index lies outside the table.
template <std::size_t N>
std::int32_t Slot(const std::array<std::int32_t, N>& table, double index) {
  if (!std::isfinite(index) || index < 0 || index >= static_cast<double>(N)) return 0;
  return table[static_cast<std::size_t>(index)];
}

}  // namespace

std::int32_t DiskImage::Trkspt(double t) const {
  return Slot(trkspt, t);
}
std::int32_t DiskImage::Trkstart(double t) const {
  return Slot(trkstart, t);
}
std::int32_t DiskImage::Sectrk(double i) const {
  return Slot(sectrk, i);
}
std::int32_t DiskImage::Secside(double i) const {
  return Slot(secside, i);
}
std::int32_t DiskImage::Secid(double i) const {
  return Slot(secid, i);
}
std::int32_t DiskImage::Secdens(double i) const {
  return Slot(secdens, i);
}
std::int32_t DiskImage::Secdam(double i) const {
  return Slot(secdam, i);
}
std::int32_t DiskImage::Secpos(double i) const {
  return Slot(secpos, i);
}

}  // namespace m1
