#include "tests/support/image_builder.h"

#include <algorithm>
#include <stdexcept>

namespace m1::testing {

std::uint16_t Crc16Ccitt(std::span<const std::uint8_t> bytes, std::uint16_t init) {
  std::uint16_t crc = init;
  for (std::uint8_t b : bytes) {
    crc = static_cast<std::uint16_t>(crc ^ (b << 8));
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                           : static_cast<std::uint16_t>(crc << 1);
    }
  }
  return crc;
}

namespace {

void WriteAt(Bytes& file, std::size_t offset, std::span<const std::uint8_t> bytes) {
  if (file.size() < offset + bytes.size()) file.resize(offset + bytes.size(), 0);
  std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::span<const std::uint8_t> AsSpan(std::initializer_list<std::uint8_t> bytes) {
  return {bytes.begin(), bytes.size()};
}

}  // namespace

// ---------------------------------------------------------------------------------------------
Jv1Builder::Jv1Builder(int tracks, std::uint8_t fill, bool signature)
    : file_(static_cast<std::size_t>(std::max(tracks, 0)) * kSectorsPerTrack * kSectorBytes, fill) {
  if (signature) PutAt(0, {0x00, 0xFE, 0x11});
}

Jv1Builder& Jv1Builder::Put(int track, int sector, std::size_t at,
                            std::span<const std::uint8_t> bytes) {
  return PutAt(Offset(track, sector) + at, bytes);
}
Jv1Builder& Jv1Builder::Put(int track, int sector, std::size_t at,
                            std::initializer_list<std::uint8_t> bytes) {
  return Put(track, sector, at, AsSpan(bytes));
}
Jv1Builder& Jv1Builder::PutAt(std::size_t offset, std::span<const std::uint8_t> bytes) {
  WriteAt(file_, offset, bytes);
  return *this;
}
Jv1Builder& Jv1Builder::PutAt(std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
  return PutAt(offset, AsSpan(bytes));
}

// ---------------------------------------------------------------------------------------------
std::size_t Jv3Builder::SectorSize(std::uint8_t flags) {
  static constexpr std::size_t kSizes[4] = {256, 128, 1024, 512};
  return kSizes[flags & 0x03];
}

std::size_t Jv3Builder::Add(int track, int sector, std::uint8_t flags, std::uint8_t fill) {
  entries_.push_back(Entry{static_cast<std::uint8_t>(track), static_cast<std::uint8_t>(sector),
                           flags, false, Bytes(SectorSize(flags), fill)});
  return entries_.size() - 1;
}

Jv3Builder& Jv3Builder::AddTrack(int track, int count, std::uint8_t flags) {
  for (int s = 0; s < count; ++s) Add(track, s, flags);
  return *this;
}

Jv3Builder& Jv3Builder::AddFree() {
  entries_.push_back(Entry{0xFF, 0xFF, 0xFF, true, {}});
  return *this;
}

Jv3Builder& Jv3Builder::Put(std::size_t entry, std::size_t at,
                            std::span<const std::uint8_t> bytes) {
  WriteAt(entries_.at(entry).data, at, bytes);
  return *this;
}
Jv3Builder& Jv3Builder::Put(std::size_t entry, std::size_t at,
                            std::initializer_list<std::uint8_t> bytes) {
  return Put(entry, at, AsSpan(bytes));
}

std::size_t Jv3Builder::DataOffset(std::size_t entry) const {
  std::size_t offset = kDataStart;
  for (std::size_t n = 0; n < entry && n < entries_.size(); ++n) offset += entries_[n].data.size();
  return offset;
}

Bytes Jv3Builder::Build() const {
  Bytes file(kDataStart, 0xFF);  // free entries and the write-protect byte (0xFF: writable)
  for (std::size_t n = 0; n < entries_.size() && n < kEntries; ++n) {
    file[3 * n] = entries_[n].track;
    file[3 * n + 1] = entries_[n].sector;
    file[3 * n + 2] = entries_[n].flags;
  }
  for (const Entry& e : entries_) file.insert(file.end(), e.data.begin(), e.data.end());
  return file;
}

// ---------------------------------------------------------------------------------------------
DmkSector DmkSector::Dd(int track, int side, int sector, std::uint8_t dam) {
  DmkSector s;
  s.track = track;
  s.side = side;
  s.sector = sector;
  s.doubleDensity = true;
  s.dam = dam;
  return s;
}

DmkSector DmkSector::Sd(int track, int side, int sector, std::uint8_t dam) {
  DmkSector s = Dd(track, side, sector, dam);
  s.doubleDensity = false;
  return s;
}

std::vector<DmkSector> DdSectors(int track, int side, int first, int count, std::uint8_t dam) {
  std::vector<DmkSector> sectors;
  for (int s = first; s < first + count; ++s) sectors.push_back(DmkSector::Dd(track, side, s, dam));
  return sectors;
}

std::vector<DmkSector> SdSectors(int track, int side, int first, int count) {
  std::vector<DmkSector> sectors;
  for (int s = first; s < first + count; ++s) sectors.push_back(DmkSector::Sd(track, side, s));
  return sectors;
}

DmkBuilder::DmkBuilder(int tracks, int trackLength, std::uint8_t options)
    : trackLength_(static_cast<std::size_t>(trackLength)), header_(kHeaderBytes, 0) {
  header_[1] = static_cast<std::uint8_t>(tracks);
  header_[2] = static_cast<std::uint8_t>(trackLength & 0xFF);
  header_[3] = static_cast<std::uint8_t>((trackLength >> 8) & 0xFF);
  header_[4] = options;
}

DmkBuilder& DmkBuilder::SetHeaderByte(std::size_t at, std::uint8_t value) {
  header_.at(at) = value;
  return *this;
}

namespace {

// Writes the bytes of one track image, each `factor` times.
class TrackWriter {
 public:
  explicit TrackWriter(Bytes& image) : image_(image) {}
  std::size_t pos() const { return image_.size(); }
  void Put(std::uint8_t b, int factor) {
    for (int k = 0; k < factor; ++k) image_.push_back(b);
  }
  void Run(std::uint8_t b, int count, int factor) {
    for (int n = 0; n < count; ++n) Put(b, factor);
  }
  void Field(const Bytes& bytes, int factor) {
    for (std::uint8_t b : bytes) Put(b, factor);
  }

 private:
  Bytes& image_;
};

constexpr int kSectorDataBytes = 256;

}  // namespace

DmkBuilder& DmkBuilder::AddTrack(const std::vector<DmkSector>& sectors, bool doubled) {
  Bytes image(kPointerTableBytes, 0);
  std::vector<Placed> placed;
  TrackWriter w(image);
  const std::size_t trackStart = TrackOffset(images_.size());

  auto factorOf = [&](const DmkSector& s) { return (!s.doubleDensity && doubled) ? 2 : 1; };
  if (!sectors.empty()) {
    const DmkSector& first = sectors.front();
    w.Run(first.doubleDensity ? 0x4E : 0xFF, 16, factorOf(first));  // gap after the index hole
  }
  std::size_t slot = 0;
  for (const DmkSector& s : sectors) {
    const int f = factorOf(s);
    Bytes data(kSectorDataBytes, s.fill);
    std::copy_n(s.data.begin(), std::min<std::size_t>(s.data.size(), kSectorDataBytes),
                data.begin());
    const Bytes id = {0xFE, static_cast<std::uint8_t>(s.track), static_cast<std::uint8_t>(s.side),
                      static_cast<std::uint8_t>(s.sector), static_cast<std::uint8_t>(s.sizeCode)};
    Bytes dataField = {s.dam};
    dataField.insert(dataField.end(), data.begin(), data.end());
    std::size_t idam = 0;
    std::size_t dataPos = 0;
    if (s.doubleDensity) {
      const Bytes sync = {0xA1, 0xA1, 0xA1};
      Bytes idCrc = sync;
      idCrc.insert(idCrc.end(), id.begin(), id.end());
      Bytes dataCrc = sync;
      dataCrc.insert(dataCrc.end(), dataField.begin(), dataField.end());
      const std::uint16_t c1 = Crc16Ccitt(idCrc);
      const std::uint16_t c2 = Crc16Ccitt(dataCrc);
      w.Run(0x00, 12, 1);
      w.Field(sync, 1);
      idam = w.pos();
      w.Field(id, 1);
      w.Field({static_cast<std::uint8_t>(c1 >> 8), static_cast<std::uint8_t>(c1 & 0xFF)}, 1);
      w.Run(0x4E, 22, 1);
      w.Run(0x00, 12, 1);
      w.Field(sync, 1);
      dataPos = w.pos() + 1;
      w.Field(dataField, 1);
      w.Field({static_cast<std::uint8_t>(c2 >> 8), static_cast<std::uint8_t>(c2 & 0xFF)}, 1);
      w.Run(0x4E, 24, 1);
    } else {
      const std::uint16_t c1 = Crc16Ccitt(id);
      const std::uint16_t c2 = Crc16Ccitt(dataField);
      w.Run(0x00, 6, f);
      idam = w.pos();
      w.Field(id, f);
      w.Field({static_cast<std::uint8_t>(c1 >> 8), static_cast<std::uint8_t>(c1 & 0xFF)}, f);
      w.Run(0xFF, 11, f);
      w.Run(0x00, 6, f);
      dataPos = w.pos() + static_cast<std::size_t>(f);
      w.Field(dataField, f);
      w.Field({static_cast<std::uint8_t>(c2 >> 8), static_cast<std::uint8_t>(c2 & 0xFF)}, f);
      w.Run(0xFF, 12, f);
    }
    if (slot < kPointerTableBytes / 2) {
      const std::size_t pointer = idam | (s.doubleDensity ? 0x8000u : 0u);
      image[2 * slot] = static_cast<std::uint8_t>(pointer & 0xFF);
      image[2 * slot + 1] = static_cast<std::uint8_t>(pointer >> 8);
    }
    ++slot;
    placed.push_back(Placed{trackStart + idam, trackStart + dataPos});
  }
  if (image.size() > trackLength_)
    throw std::length_error("DMK sectors do not fit in the track length");
  const std::uint8_t tailGap = (!sectors.empty() && !sectors.back().doubleDensity) ? 0xFF : 0x4E;
  image.resize(trackLength_, tailGap);
  images_.push_back(std::move(image));
  placed_.push_back(std::move(placed));
  return *this;
}

DmkBuilder& DmkBuilder::AddRawTrack(const Bytes& image, bool pad) {
  Bytes copy = image;
  if (pad) copy.resize(trackLength_, 0);
  images_.push_back(std::move(copy));
  placed_.emplace_back();
  return *this;
}

Bytes DmkBuilder::Build() const {
  Bytes file = header_;
  for (const Bytes& image : images_) file.insert(file.end(), image.begin(), image.end());
  return file;
}

// ---------------------------------------------------------------------------------------------
Bytes NewdosSystemSector(const PdriveEntry& entry, bool marker, std::uint8_t fill) {
  Bytes sector(256, fill);
  sector[0] = entry.ddsl;
  sector[2] = entry.ti;
  sector[3] = entry.tc;
  sector[4] = entry.spt;
  sector[5] = entry.gpl;
  sector[7] = entry.ti2;
  sector[9] = entry.ddga;
  if (marker) sector[239] = 0xA5;
  return sector;
}

// ---------------------------------------------------------------------------------------------
SectorDisk::SectorDisk(int cylinders, int sides, int sectors, int firstSector, bool doubleDensity)
    : cylinders_(cylinders),
      sides_(sides),
      sectors_(sectors),
      firstSector_(firstSector),
      doubleDensity_(doubleDensity),
      data_(static_cast<std::size_t>(cylinders * sides * sectors), Bytes(256, 0xE5)) {}

SectorDisk& SectorDisk::Put(int cylinder, int head, int sector, std::size_t at,
                            std::span<const std::uint8_t> bytes) {
  const auto n =
      static_cast<std::size_t>((cylinder * sides_ + head) * sectors_ + sector - firstSector_);
  WriteAt(data_.at(n), at, bytes);
  data_.at(n).resize(256);
  return *this;
}
SectorDisk& SectorDisk::Put(int cylinder, int head, int sector, std::size_t at,
                            std::initializer_list<std::uint8_t> bytes) {
  return Put(cylinder, head, sector, at, AsSpan(bytes));
}

Bytes SectorDisk::Jv3() const {
  Jv3Builder jv3;
  std::size_t n = 0;
  for (int c = 0; c < cylinders_; ++c) {
    for (int h = 0; h < sides_; ++h) {
      for (int s = 0; s < sectors_; ++s, ++n) {
        const std::uint8_t flags = (doubleDensity_ ? 0x80 : 0x00) | (h == 1 ? 0x10 : 0x00);
        jv3.Put(jv3.Add(c, firstSector_ + s, flags), 0, data_[n]);
      }
    }
  }
  return jv3.Build();
}

Bytes DirEntry::Build(std::size_t bytes) const {
  Bytes e(bytes, 0xFF);
  e[0] = attributes;
  e[1] = date1;
  e[2] = date2;
  e[3] = eof;
  e[4] = 0;
  for (std::size_t k = 0; k < 11; ++k) {
    const std::string& field = k < 8 ? name : ext;
    const std::size_t i = k < 8 ? k : k - 8;
    e[5 + k] = i < field.size() ? static_cast<std::uint8_t>(field[i]) : ' ';
  }
  e[16] = e[17] = e[18] = e[19] = 0;
  e[20] = static_cast<std::uint8_t>(ern & 0xFF);
  e[21] = static_cast<std::uint8_t>(ern >> 8);
  std::copy_n(extents.begin(), std::min(extents.size(), bytes - 22), e.begin() + 22);
  return e;
}

}  // namespace m1::testing
