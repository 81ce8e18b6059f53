#include "bench/images.h"

#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "tests/support/image_builder.h"

namespace m1::bench {
namespace {

using testing::Bytes;
using testing::DmkBuilder;
using testing::DmkSector;
using testing::Jv1Builder;
using testing::Jv3Builder;

constexpr int kDirectoryTrack = 17;
constexpr int kDoubleDensitySectors = 18;  // 18 double-density sectors of 256 bytes a track side

// The sector contents that make the analysis do its whole work: the boot sector that marks a
// Model 1 disk, the Newdos/80 system sector with its drive table, directory sectors full of
// used entries (so the directory colouring has something to colour), and patterned data.
Bytes Contents(int track, int sector, int tracks, int spt) {
  if (track == 0 && sector == 0) {
    Bytes b(256, 0x00);
    b[1] = 0xFE;
    b[2] = 0x11;
    return b;
  }
  if (track == 0 && sector == 2) {
    testing::PdriveEntry entry;
    entry.tc = static_cast<std::uint8_t>(tracks);
    entry.spt = static_cast<std::uint8_t>(spt);
    return testing::NewdosSystemSector(entry);
  }
  Bytes b(256);
  if (track == kDirectoryTrack && sector >= 2) {
    for (std::size_t e = 0; e < 8; ++e) {
      b[e * 32] = 0x10;  // a used entry
      for (std::size_t k = 1; k < 32; ++k) b[e * 32 + k] = static_cast<std::uint8_t>('A' + k % 26);
    }
    return b;
  }
  for (std::size_t i = 0; i < b.size(); ++i) {
    b[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(track * 13 + sector));
  }
  return b;
}

Bytes MakeDmk() {
  constexpr int kTracks = 80;
  DmkBuilder dmk(kTracks, 6400);
  for (int t = 0; t < kTracks; ++t) {
    for (int side = 0; side < 2; ++side) {
      std::vector<DmkSector> sectors;
      for (int s = 0; s < kDoubleDensitySectors; ++s) {
        const std::uint8_t dam = t == kDirectoryTrack ? 0xFA : 0xFB;
        DmkSector sector = DmkSector::Dd(t, side, s, dam);
        sector.data = Contents(t, s, kTracks, kDoubleDensitySectors);
        sectors.push_back(std::move(sector));
      }
      dmk.AddTrack(sectors);
    }
  }
  return dmk.Build();
}

Bytes MakeJv3() {
  constexpr int kTracks = 80;
  Jv3Builder jv3;
  for (int t = 0; t < kTracks; ++t) {
    for (int side = 0; side < 2; ++side) {
      for (int s = 0; s < kDoubleDensitySectors; ++s) {
        std::uint8_t flags = 0x80;  // double density, 256 bytes
        if (side == 1) flags |= 0x10;
        if (t == kDirectoryTrack) flags |= 0x20;
        const std::size_t entry = jv3.Add(t, s, flags);
        jv3.Put(entry, 0, Contents(t, s, kTracks, kDoubleDensitySectors));
      }
    }
  }
  return jv3.Build();
}

Bytes MakeJv1() {
  constexpr int kTracks = 35;
  Jv1Builder jv1(kTracks);
  for (int t = 0; t < kTracks; ++t) {
    for (int s = 0; s < Jv1Builder::kSectorsPerTrack; ++s) {
      jv1.Put(t, s, 0, Contents(t, s, kTracks, Jv1Builder::kSectorsPerTrack));
    }
  }
  return jv1.Build();
}

}  // namespace

ImageSet::ImageSet() {
  std::string pattern = (std::filesystem::temp_directory_path() / "m1view-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temp folder");
  folder_ = pattern;
  const auto add = [&](Kind kind, const char* name, const char* file, Bytes bytes) {
    const std::filesystem::path path = folder_ / file;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    images_.push_back({kind, name, path, std::move(bytes)});
  };
  add(Kind::Dmk, "DMK_80x2_DD", "disk80ds.dmk", MakeDmk());
  add(Kind::Jv3, "JV3_80x2_DD", "disk80ds.jv3", MakeJv3());
  add(Kind::Jv1, "JV1_35", "disk35.dsk", MakeJv1());
}

ImageSet::~ImageSet() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

const BenchImage& ImageSet::Get(Kind kind) const {
  for (const BenchImage& image : images_) {
    if (image.kind == kind) return image;
  }
  throw std::logic_error("no such image");
}

const ImageSet& Images() {
  static const ImageSet set;
  return set;
}

}  // namespace m1::bench
