// m1view-make-samples FOLDER: writes the sample images shipped in samples/: a blank Newdos/80
// formatted disk as JV1, as JV3 and as double-density DMK, and a Model 1 DMK whose track 0 is
// single density with every byte recorded twice. Each has its directory on track 17, holding the
// two system files and two user files, one of them with an extended entry. (These four serve the
// main window's tests as they are.) Then the demonstration disks of tools/demo_disks.h, whole DOS
// disks with real files.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/image_builder.h"
#include "tools/demo_disks.h"

namespace {

using namespace m1::testing;  // the image builders
using m1::samples::Interleave;

constexpr int kDirectoryTrack = 17;

// One 32-byte Newdos/80 directory entry: attribute, name and extension, the end record number and
// the extents (track, granule pairs, 0xFF after the last).
Bytes DirEntry(std::uint8_t attribute, std::string_view name, std::string_view ext,
               std::uint16_t endRecord, std::vector<std::uint8_t> extents) {
  Bytes e(32, 0x00);
  e[0] = attribute;
  for (std::size_t i = 0; i < 8; ++i) e[5 + i] = i < name.size() ? name[i] : ' ';
  for (std::size_t i = 0; i < 3; ++i) e[13 + i] = i < ext.size() ? ext[i] : ' ';
  e[16] = 0x42;  // update and access password hashes of a blank password
  e[17] = 0x96;
  e[18] = 0x42;
  e[19] = 0x96;
  e[20] = static_cast<std::uint8_t>(endRecord & 0xFF);
  e[21] = static_cast<std::uint8_t>(endRecord >> 8);
  for (std::size_t i = 22; i < 32; ++i) e[i] = 0xFF;
  for (std::size_t i = 0; i < extents.size() && 22 + i < 32; ++i) e[22 + i] = extents[i];
  return e;
}

// The sectors of the directory track: 0 the granule allocation table, 1 the hash index, 2 and on
// the entries (eight to a sector).
std::vector<Bytes> DirectoryTrack(int sectors, int tracks) {
  std::vector<Bytes> s(static_cast<std::size_t>(sectors), Bytes(256, 0x00));
  for (int t = 0; t < tracks; ++t) s[0][t] = (t == 0 || t == kDirectoryTrack) ? 0xFF : 0xFC;
  const std::string_view name = "M1VIEW  12/08/26";
  for (std::size_t i = 0; i < name.size(); ++i) s[0][0xD0 + i] = name[i];
  s[1][0] = 0xA2;  // hash codes of the four files
  s[1][1] = 0xC4;
  s[1][2] = 0x17;
  s[1][3] = 0x5B;
  const Bytes entries[] = {
      DirEntry(0x5E, "BOOT", "SYS", 0x0001, {0x00, 0x00}),
      DirEntry(0x5E, "DIR", "SYS", 0x000A, {kDirectoryTrack, 0x01}),
      DirEntry(0x10, "README", "TXT", 0x0003, {0x01, 0x00, 0x02, 0x20}),
      DirEntry(0x90, "README", "TXT", 0x0000, {0x03, 0x21}),
  };
  for (std::size_t i = 0; i < std::size(entries); ++i) {
    for (std::size_t k = 0; k < 32; ++k) s[2][i * 32 + k] = entries[i][k];
  }
  return s;
}

Bytes BootSector() {
  Bytes b(256, 0x00);
  b[0] = 0x00;  // the boot sector of a Model 1 system disk begins 00 FE 11
  b[1] = 0xFE;
  b[2] = 0x11;
  b[3] = 0xC3;
  return b;
}

Bytes SystemSector(int tracks, int spt) {
  PdriveEntry entry;
  entry.tc = static_cast<std::uint8_t>(tracks);
  entry.spt = static_cast<std::uint8_t>(spt);
  return m1::testing::NewdosSystemSector(entry);
}

// Contents of sector s of track t of a blank system disk.
Bytes SectorData(int t, int s, int spt, int tracks) {
  if (t == 0 && s == 0) return BootSector();
  if (t == 0 && s == 2) return SystemSector(tracks, spt);
  if (t == kDirectoryTrack) return DirectoryTrack(spt, tracks)[static_cast<std::size_t>(s)];
  return Bytes(256, 0xE5);
}

Bytes MakeJv1() {
  constexpr int kTracks = 35;
  Jv1Builder jv1(kTracks);
  for (int t = 0; t < kTracks; ++t) {
    for (int s = 0; s < 10; ++s) jv1.Put(t, s, 0, SectorData(t, s, 10, kTracks));
  }
  return jv1.Build();
}

Bytes MakeJv3() {
  constexpr int kTracks = 35;
  Jv3Builder jv3;
  for (int t = 0; t < kTracks; ++t) {
    for (int s : Interleave(10, 2)) {
      const std::uint8_t flags = t == kDirectoryTrack ? 0x20 : 0x00;
      const auto entry = jv3.Add(t, s, flags);
      jv3.Put(entry, 0, SectorData(t, s, 10, kTracks));
    }
  }
  return jv3.Build();
}

Bytes MakeDmk(bool model1) {
  constexpr int kTracks = 40;
  DmkBuilder dmk(kTracks, 6400);
  for (int t = 0; t < kTracks; ++t) {
    const bool single = model1 && t == 0;
    const int spt = single ? 10 : 18;
    std::vector<DmkSector> sectors;
    for (int s : Interleave(spt, single ? 2 : 3)) {
      const std::uint8_t dam = t == kDirectoryTrack ? 0xF8 : 0xFB;
      DmkSector sector = single ? DmkSector::Sd(t, 0, s, dam) : DmkSector::Dd(t, 0, s, dam);
      sector.data = SectorData(t, s, 18, kTracks);
      sectors.push_back(sector);
    }
    dmk.AddTrack(sectors);
  }
  return dmk.Build();
}

bool Write(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: m1view-make-samples FOLDER\n";
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = Write(dir + "/newdos80-blank-35t.dsk", MakeJv1()) &&
            Write(dir + "/newdos80-blank-35t.jv3", MakeJv3()) &&
            Write(dir + "/newdos80-blank-40t-dd.dmk", MakeDmk(false)) &&
            Write(dir + "/newdos80-model1-40t.dmk", MakeDmk(true));
  for (const m1::samples::DemoImage& image : m1::samples::DemoImages()) {
    ok = ok && Write(dir + "/" + image.fileName, image.bytes);
  }
  if (!ok) {
    std::cerr << "m1view-make-samples: cannot write to " << dir << "\n";
    return 1;
  }
  return 0;
}
