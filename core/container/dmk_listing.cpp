// The DMK listing: every entry of the pointer table of every track image, its ID field read at the
// pointer, its data field where a controller finds the data address mark, both CRCs checked.
// The layout of the container is in dmk_format.h.
#include <algorithm>
#include <array>

#include "core/container/container_listing.h"
#include "core/container/crc.h"
#include "core/container/dmk_format.h"

namespace m1 {

namespace {

constexpr int kMostDmkTracks = 255;  // DMK header byte 1

// One track image as far as it may be read: from its start to its end or the end of the file,
// whichever comes first.
class TrackImage {
 public:
  TrackImage(const ByteReader& file, std::int64_t start, std::int64_t length)
      : file_(file),
        start_(start),
        end_(std::min<std::int64_t>(start + length, static_cast<std::int64_t>(file.size()))),
        cutByFile_(start + length > static_cast<std::int64_t>(file.size())) {}

  std::int64_t start() const { return start_; }
  // The remark of a field that runs past the end.
  Remark Cut() const { return cutByFile_ ? kRemarkCutByFile : kRemarkCutByTrack; }
  // How many of the n logical bytes from `at` (one every `step` bytes) lie inside.
  int Available(std::int64_t at, int step, int n) const {
    if (at >= end_) return 0;
    return static_cast<int>(std::min<std::int64_t>(n, (end_ - at + step - 1) / step));
  }
  // Logical byte k from `at`; the caller has made sure it lies inside.
  std::uint8_t At(std::int64_t at, int step, int k) const {
    return file_.byte(at + std::int64_t{k} * step).value_or(0);
  }
  // n bytes in a row from `at`; the caller has made sure they lie inside.
  std::span<const std::uint8_t> Row(std::int64_t at, int n) const {
    return file_.bytes(at, n).value_or(std::span<const std::uint8_t>());
  }

 private:
  const ByteReader& file_;
  std::int64_t start_;
  std::int64_t end_;
  bool cutByFile_;
};

// The ID field at the record's idOffset: the recorded numbers, the ID CRC, the ID mark.
// Returns false when the field is cut (the record then has the numbers it could read).
bool ReadId(const TrackImage& image, SectorRecord& r) {
  const int step = r.Step();
  const std::int64_t at = *r.idOffset;
  const int n = image.Available(at, step, dmk::kIdLogicalBytes);
  std::array<std::uint8_t, dmk::kIdLogicalBytes> b{};
  for (int k = 0; k < n; ++k) b[k] = image.At(at, step, k);
  if (n > 0 && b[0] != 0xFE) r.remarks |= kRemarkNoIdMark;
  if (n > dmk::kIdTrack) r.track = b[dmk::kIdTrack];
  if (n > dmk::kIdSide) r.side = b[dmk::kIdSide];
  if (n > dmk::kIdSector) r.sector = b[dmk::kIdSector];
  if (n > dmk::kIdSizeCode) {
    r.sizeCode = b[dmk::kIdSizeCode];
    r.size = 128 << (r.sizeCode & 3);
  }
  if (n < dmk::kIdLogicalBytes) {
    r.remarks |= image.Cut();
    return false;
  }
  const std::uint16_t start = r.doubleDensity ? kCrcStartAfterSync : kCrcStart;
  const auto computed = Crc16(std::span(b).first(dmk::kIdCrc), start);
  const auto written = static_cast<std::uint16_t>((b[dmk::kIdCrc] << 8) | b[dmk::kIdCrc + 1]);
  r.idCrc = CrcCheck{written == computed, written, computed};
  return true;
}

// The data field after a whole ID field: the mark where a controller finds it, the data and
// their CRC.
void ReadData(const TrackImage& image, SectorRecord& r) {
  const int step = r.Step();
  const std::int64_t at = *r.idOffset;
  const int window = r.doubleDensity ? dmk::kDataMarkWindowDouble : dmk::kDataMarkWindowSingle;
  const int searchable = image.Available(at, step, dmk::kIdLogicalBytes + window);
  int mark = dmk::kIdLogicalBytes;
  while (mark < searchable && !dmk::IsAnyDataMark(image.At(at, step, mark))) ++mark;
  if (mark >= searchable) {
    r.remarks |= kRemarkNoDataMark;
    if (searchable < dmk::kIdLogicalBytes + window) r.remarks |= image.Cut();
    return;
  }
  const std::uint8_t dam = image.At(at, step, mark);
  r.dam = dam;
  const std::int64_t markAt = at + std::int64_t{mark} * step;
  r.dataOffset = markAt + step;
  // The field: the mark, the data, two CRC bytes.
  const int fieldBytes = 1 + r.size + 2;
  const int present = image.Available(markAt, step, fieldBytes);
  r.dataPresent = std::clamp(present - 1, 0, r.size);
  if (present < fieldBytes) {
    r.remarks |= image.Cut();
    return;
  }
  const std::uint16_t start = r.doubleDensity ? kCrcStartAfterSync : kCrcStart;
  std::uint16_t computed = 0;
  if (step == 1) {
    computed = Crc16(image.Row(markAt, 1 + r.size), start);
  } else {
    std::array<std::uint8_t, 1 + 1024> field;  // the logical bytes of a doubled field
    for (int k = 0; k <= r.size; ++k) field[k] = image.At(markAt, step, k);
    computed = Crc16(std::span(field).first(1 + r.size), start);
  }
  const auto written = static_cast<std::uint16_t>((image.At(markAt, step, 1 + r.size) << 8) |
                                                  image.At(markAt, step, 2 + r.size));
  r.dataCrc = CrcCheck{written == computed, written, computed};
}

// Every entry of the pointer table of every track image the header names, as far as the file holds
// them (a last image cut by the end of the file too): cylinder and head from the image's place.
// Two images a cylinder (side 0, then side 1), unless the header says single-sided or the file
// holds no more images than the header names tracks, as single-sided images written without the
// option do.
}  // namespace

void ListDmk(const ByteReader& file, Listing& listing) {
  const dmk::Header header = dmk::ReadHeader(file);
  const std::int64_t length = header.trackLength;
  const std::int64_t body = static_cast<std::int64_t>(file.size()) - dmk::kHeaderBytes;
  std::int64_t images = length > 0 ? (body + length - 1) / length : 0;
  const int perCylinder = header.SingleSided() || images <= header.tracks ? 1 : 2;
  // A header that names no tracks (accepted for its emulator track length) names as many as a
  // header can. Images past the ones the header names are listed too, with a remark: a header
  // that names 35 tracks on a file of 80 images hides nothing from the health check. A file
  // holds at most as many cylinders as a header can name.
  const std::int64_t named =
      std::int64_t{header.tracks > 0 ? header.tracks : kMostDmkTracks} * perCylinder;
  images = std::min<std::int64_t>(images, std::int64_t{kMostDmkTracks} * perCylinder);
  for (std::int64_t k = 0; k < images; ++k) {
    const TrackImage image(file, dmk::kHeaderBytes + k * length, length);
    const std::size_t first = listing.records.size();
    for (int slot = 0; slot < dmk::kPointerEntries; ++slot) {
      // The table lies inside the image whenever a pointer of it is read: every image is at
      // least 3264 bytes long, or the file is cut inside the table.
      if (image.Available(image.start() + 2 * slot, 1, 2) < 2) break;
      const auto pointer = dmk::ReadPointer(file, image.start(), slot);
      if (!pointer || pointer->End()) break;
      SectorRecord r;
      r.image = static_cast<int>(k);
      r.slot = slot;
      r.cylinder = static_cast<int>(k / perCylinder);
      r.head = static_cast<int>(k % perCylinder);
      r.doubleDensity = pointer->DoubleDensity();
      r.doubled = !r.doubleDensity && header.SingleDensityDoubled();
      r.idOffset = image.start() + pointer->Offset();
      if (k >= named) r.remarks |= kRemarkPastHeader;
      if (ReadId(image, r)) {
        ReadData(image, r);
        if (r.track != r.cylinder) r.remarks |= kRemarkTrackDiffers;
        for (std::size_t e = first; e < listing.records.size(); ++e) {
          const SectorRecord& earlier = listing.records[e];
          if (earlier.idCrc && earlier.track == r.track && earlier.side == r.side &&
              earlier.sector == r.sector) {
            r.remarks |= kRemarkDuplicate;
            break;
          }
        }
      }
      CountDensity(listing, r);
      listing.records.push_back(r);
    }
  }
  listing.cylinders = static_cast<int>((images + perCylinder - 1) / perCylinder);
  listing.sides = static_cast<int>(std::min<std::int64_t>(perCylinder, images));
}

}  // namespace m1
