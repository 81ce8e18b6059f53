#include "bench/images.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "core/dos/dos_layout.h"
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
constexpr int kGranuleSectors = 5;         // Newdos/80 granules
constexpr int kDirectorySectors = 10;      // two granules: GAT, HIT and 8 sectors of entries
constexpr int kFiles = 48;                 // files besides BOOT/SYS and DIR/SYS, where they fit

// The Newdos/80 geometry of a disk: its sides and sectors a side, granules per lump and the lump
// of its directory. The 80-cylinder double-sided disks have 96 lumps of 6 granules, the directory
// at lump 21 (relative sector 630: cylinder 17, side 1); the JV1 disk lumps of 2, the directory at
// lump 17 (track 17).
struct Geometry {
  int tracks, sides, sectors, gpl, ddsl;
  int DirectorySector() const { return ddsl * gpl * kGranuleSectors; }
  int Lumps() const { return tracks * sides * sectors / (gpl * kGranuleSectors); }
};
constexpr Geometry kDoubleSided{80, 2, kDoubleDensitySectors, 6, 21};
constexpr Geometry kJv1Disk{35, 1, Jv1Builder::kSectorsPerTrack, 2, 17};
constexpr Geometry kJv1Disk80{80, 1, Jv1Builder::kSectorsPerTrack, 2, 17};

// The directory: BOOT/SYS on lump 0, DIR/SYS on the directory's two granules, then FILE00/DAT,
// FILE01/DAT, ... each filling a lump after the directory in two extents, the GAT allocating all
// of them and the HIT holding their names' hashes.
Bytes DirectorySector(const Geometry& g, int k) {
  const int files = std::min(kFiles, g.Lumps() - g.ddsl - 1);
  Bytes b(256, 0x00);
  if (k == 0) {
    b[0] = 0x01;
    b[static_cast<std::size_t>(g.ddsl)] = 0x03;
    for (int f = 0; f < files; ++f) {
      b[static_cast<std::size_t>(g.ddsl + 1 + f)] = static_cast<std::uint8_t>((1 << g.gpl) - 1);
    }
    const std::string label = "BENCHDSK01/01/86";
    std::copy(label.begin(), label.end(), b.begin() + 0xD0);
    return b;
  }
  std::vector<testing::DirEntry> entries = {
      {0x5E, "BOOT", "SYS", 0, 0, 0, kGranuleSectors, {0x00, 0x00}},
      {0x5D, "DIR", "SYS", 0, 0, 0, kDirectorySectors, {static_cast<std::uint8_t>(g.ddsl), 0x01}}};
  for (int f = 0; f < files; ++f) {
    char name[9];
    std::snprintf(name, sizeof name, "FILE%02d", f);
    const auto lump = static_cast<std::uint8_t>(g.ddsl + 1 + f);
    const int half = g.gpl / 2;
    entries.push_back({0x10,
                       name,
                       "DAT",
                       0,
                       0,
                       0,
                       g.gpl * kGranuleSectors,
                       {lump, static_cast<std::uint8_t>(half - 1), lump,
                        static_cast<std::uint8_t>((half << 5) | (g.gpl - half - 1))}});
  }
  for (std::size_t n = 0; n < entries.size(); ++n) {
    const int sector = static_cast<int>(n / 8), slot = static_cast<int>(n % 8);
    const Bytes e = entries[n].Build();
    if (k == 1) {  // the HIT: position slot x 32 + sector
      b[static_cast<std::size_t>(slot * 32 + sector)] = dos::NameHash({e.data() + 5, 11});
    } else if (k - 2 == sector) {
      std::copy(e.begin(), e.end(), b.begin() + slot * 32);
    }
  }
  return b;
}

// The sector contents that make the analysis do its whole work: the boot sector that marks a
// Model 1 disk, the Newdos/80 system sector with its drive table, the directory with its files
// (so the directory colouring and the file system have something to read), and patterned data.
Bytes Contents(const Geometry& g, int track, int side, int sector) {
  const int rel = (track * g.sides + side) * g.sectors + sector;
  if (rel == 0) {
    Bytes b(256, 0x00);
    b[1] = 0xFE;
    b[2] = 0x11;
    return b;
  }
  if (rel == 2) {
    testing::PdriveEntry entry;
    entry.ddsl = static_cast<std::uint8_t>(g.ddsl);
    entry.tc = static_cast<std::uint8_t>(g.tracks);
    entry.spt = static_cast<std::uint8_t>(g.sides * g.sectors);
    entry.gpl = static_cast<std::uint8_t>(g.gpl);
    return testing::NewdosSystemSector(entry);
  }
  const int k = rel - g.DirectorySector();
  if (k >= 0 && k < kDirectorySectors) return DirectorySector(g, k);
  Bytes b(256);
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
        sector.data = Contents(kDoubleSided, t, side, s);
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
        jv3.Put(entry, 0, Contents(kDoubleSided, t, side, s));
      }
    }
  }
  return jv3.Build();
}

Bytes MakeJv1(const Geometry& g) {
  Jv1Builder jv1(g.tracks);
  for (int t = 0; t < g.tracks; ++t) {
    for (int s = 0; s < Jv1Builder::kSectorsPerTrack; ++s) jv1.Put(t, s, 0, Contents(g, t, 0, s));
  }
  return jv1.Build();
}

}  // namespace

ImageSet::ImageSet() {
  const auto add = [&](Kind kind, const char* name, const char* file, Bytes bytes) {
    const std::filesystem::path path = folder_.path() / file;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    images_.push_back({kind, name, path, std::move(bytes)});
  };
  add(Kind::Dmk, "DMK_80x2_DD", "disk80ds.dmk", MakeDmk());
  add(Kind::Jv3, "JV3_80x2_DD", "disk80ds.jv3", MakeJv3());
  add(Kind::Jv1, "JV1_35", "disk35.dsk", MakeJv1(kJv1Disk));
  add(Kind::Jv1Of80, "JV1_80", "disk80.dsk", MakeJv1(kJv1Disk80));
}

const BenchImage& ImageSet::Get(Kind kind) const {
  for (const BenchImage& image : images_) {
    if (image.kind == kind) return image;
  }
  throw std::logic_error("no such image");
}

std::vector<std::uint8_t> MakeImage(Kind kind) {
  switch (kind) {
    case Kind::Dmk:
      return MakeDmk();
    case Kind::Jv3:
      return MakeJv3();
    case Kind::Jv1Of80:
      return MakeJv1(kJv1Disk80);
    case Kind::Jv1:
      break;
  }
  return MakeJv1(kJv1Disk);
}

const ImageSet& Images() {
  static const ImageSet set;
  return set;
}

}  // namespace m1::bench
