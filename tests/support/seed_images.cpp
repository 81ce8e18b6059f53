#include "tests/support/seed_images.h"

#include <cstdint>

namespace m1::fuzzing {

using namespace m1::testing;  // the image builders

namespace {

// A Newdos/80 system sector for a disk of the given size.
Bytes System(int tracks, int spt) {
  PdriveEntry entry;
  entry.tc = static_cast<std::uint8_t>(tracks);
  entry.spt = static_cast<std::uint8_t>(spt);
  entry.ddsl = 1;
  return m1::testing::NewdosSystemSector(entry);
}

// The first bytes of a directory entry sector: one used entry and one extended entry.
Bytes DirectoryEntries() {
  Bytes e(64, 0x00);
  e[0] = 0x10;
  e[32] = 0x90;
  for (std::size_t i = 5; i < 16; ++i) e[i] = e[32 + i] = 'A';
  for (std::size_t i = 22; i < 32; ++i) e[i] = e[32 + i] = 0xFF;
  return e;
}

DmkSector WithData(DmkSector s, Bytes data) {
  s.data = std::move(data);
  return s;
}

}  // namespace

std::vector<SeedImage> SeedImages() {
  std::vector<SeedImage> out;

  {  // JV1: three tracks, Newdos/80 system sector, a directory sector on track 2.
    Jv1Builder jv1(3);
    jv1.Put(0, 2, 0, System(3, 10));
    jv1.Put(2, 2, 0, DirectoryEntries());
    out.push_back({"jv1-3t.dsk", jv1.Build()});
  }
  {  // JV1 without the boot sector's first bytes, one and a half tracks.
    Jv1Builder jv1(2, 0x00, false);
    Bytes file = jv1.Build();
    file.resize(3840);
    out.push_back({"jv1-nosig.dsk", file});
  }
  {  // JV3: track 0 single density, track 1 double density with directory marks, side 1, a free
     // entry and a last entry past it.
    Jv3Builder jv3;
    for (int s = 0; s < 4; ++s) jv3.Add(0, s, 0x00);
    jv3.Put(2, 0, System(2, 4));
    for (int s = 0; s < 3; ++s) jv3.Add(1, s, 0x80 | 0x20 | (s == 2 ? 0x01 : 0x00));
    jv3.Put(6, 0, DirectoryEntries());
    jv3.Add(1, 0, 0x80 | 0x10);
    jv3.Add(1, 1, 0x80 | 0x10 | 0x03);
    jv3.AddFree();
    jv3.Add(2, 0, 0x00);
    out.push_back({"jv3-mixed.jv3", jv3.Build()});
  }
  {  // JV3 starting at sector 1, one track of five sectors of 1024 bytes.
    Jv3Builder jv3;
    for (int s = 1; s <= 5; ++s) jv3.Add(0, s, 0x80 | 0x02);
    out.push_back({"jv3-sec1.jv3", jv3.Build()});
  }
  {  // DMK double density, single-sided, two tracks of four sectors, Newdos/80, a directory.
    DmkBuilder dmk(2, 6400, 0x10);
    dmk.AddTrack({DmkSector::Dd(0, 0, 0), DmkSector::Dd(0, 0, 1),
                  WithData(DmkSector::Dd(0, 0, 2), System(2, 4)), DmkSector::Dd(0, 0, 3)});
    dmk.AddTrack({WithData(DmkSector::Dd(1, 0, 0, 0xFA), DirectoryEntries()),
                  DmkSector::Dd(1, 0, 1, 0xFA), DmkSector::Dd(1, 0, 2, 0xF8),
                  DmkSector::Dd(1, 0, 3)});
    out.push_back({"dmk-dd.dmk", dmk.Build()});
  }
  {  // DMK of a Model 1: track 0 single density with every byte twice, track 1 double density,
     // two sides.
    DmkBuilder dmk(2, 6400, 0x00);
    dmk.AddTrack({DmkSector::Sd(0, 0, 0), DmkSector::Sd(0, 0, 1), DmkSector::Sd(0, 0, 2)});
    dmk.AddTrack({DmkSector::Sd(0, 1, 0), DmkSector::Sd(0, 1, 1)});
    dmk.AddTrack({DmkSector::Dd(1, 0, 0), DmkSector::Dd(1, 0, 1, 0xFA)});
    dmk.AddTrack({DmkSector::Dd(1, 1, 0), DmkSector::Dd(1, 1, 1)});
    out.push_back({"dmk-model1-ds.dmk", dmk.Build()});
  }
  {  // DMK single density stored one byte a byte (header option 0x40), 3264-byte tracks.
    DmkBuilder dmk(2, 3264, 0x40 | 0x10);
    dmk.AddTrack({DmkSector::Sd(0, 0, 0), DmkSector::Sd(0, 0, 1), DmkSector::Sd(0, 0, 2)}, false);
    dmk.AddTrack({DmkSector::Sd(1, 0, 0, 0xFA), DmkSector::Sd(1, 0, 1)}, false);
    out.push_back({"dmk-sd-single.dmk", dmk.Build()});
  }
  {  // DMK of an odd track length, sectors numbered from 1 and absurd ID fields.
    DmkBuilder dmk(2, 4000, 0x10);
    dmk.AddTrack({DmkSector::Dd(0, 0, 1), DmkSector::Dd(0, 0, 2), DmkSector::Dd(0, 0, 3)});
    dmk.AddTrack({DmkSector::Dd(250, 7, 200), DmkSector::Dd(1, 0, 255, 0x00)});
    out.push_back({"dmk-odd.dmk", dmk.Build()});
  }
  {  // DMK whose header says a real drive (bytes 12 to 15).
    DmkBuilder dmk(1, 6400, 0x10);
    dmk.SetHeaderByte(12, 0x78).SetHeaderByte(13, 0x56).SetHeaderByte(14, 0x34);
    dmk.SetHeaderByte(15, 0x12);
    dmk.AddTrack({DmkSector::Dd(0, 0, 0)});
    out.push_back({"dmk-real.dmk", dmk.Build()});
  }
  return out;
}

}  // namespace m1::fuzzing
