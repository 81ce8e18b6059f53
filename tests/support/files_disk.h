// A TRSDOS 2.3 disk with three files to open, for the tests of the File window: 35 single-density
// tracks of 10 sectors (JV3, so sector k of track t has its data at 0x2200 + (10t + k) x 256),
// the directory on track 17, granules of 5 sectors. The entries of the first entry sector, with
// their HIT bytes (the names' hashes, worked out by hand):
//   slot 0 NOTE/TXT 0xD7  track 1 granule 0, 263 bytes: 255 x 'A', 0D, then "SECOND" and 0D,
//                         which starts the file's second sector (track 1 sector 1)
//   slot 1 PROG/CMD 0xAB  track 5 granule 0, 17 bytes: a module header "PROG", a load block of
//                         3 bytes at 7000 (LD A,1; RET) whose data starts at byte 10, a transfer
//                         address 7000
//   slot 2 TEN/BAS  0xA4  track 5 granule 1, 20 bytes: 10 PRINT "HI" (its link at byte 1) and
//                         20 END (at byte 12), saved from 6AFF (the links 6B0B and 6B11)
//   slot 3 OLD/TXT  0x00  killed (in-use bit clear, HIT byte zero): track 6 granule 0, free in
//                         the GAT, 7 bytes "KILLED" and 0D
// Granule 0 of track 7 is allocated in the GAT and used by no file.
#pragma once

#include <span>

#include "tests/support/image_builder.h"

namespace m1::testing {

// The GAT of such a disk before its files: two granules a track, free (0xFC), but the one of
// track 0 that holds the boot sector and both of the directory's track 17; no lockout table.
inline Bytes Trsdos23Gat() {
  Bytes gat(256, 0xFF);
  for (std::size_t t = 0; t < 35; ++t) gat[t] = 0xFC;
  gat[0] = 0xFD;
  gat[17] = 0xFF;
  gat[0xCB] = gat[0xCC] = gat[0xCD] = 0x00;
  return gat;
}

// A TRSDOS 2.3 disk of 35 single-density tracks of 10 sectors with its boot sector, the GAT given
// and, in the first entry sector, entries[k] in slot k with its name's hash hashes[k] at HIT byte
// 32 x k. The files' bytes are the caller's to put.
inline SectorDisk Trsdos23Disk(const Bytes& gat, std::span<const DirEntry> entries,
                               std::span<const std::uint8_t> hashes) {
  SectorDisk disk(35, 1, 10, 0, false);
  disk.Put(0, 0, 0, 0, {0x00, 0xFE, 0x11});
  Bytes hit(256, 0x00);
  for (std::size_t k = 0; k < hashes.size(); ++k) hit[32 * k] = hashes[k];
  disk.Put(17, 0, 0, 0, gat).Put(17, 0, 1, 0, hit).Put(17, 0, 2, 0, Bytes(256, 0x00));
  for (std::size_t k = 0; k < entries.size(); ++k) disk.Put(17, 0, 2, 32 * k, entries[k].Build());
  return disk;
}

// The bytes of PROG/CMD and TEN/BAS as described above, for other disks that hold them too.
inline const Bytes kProgCmd = {0x05, 0x04, 'P',  'R',  'O',  'G',  0x01, 0x05, 0x00,
                               0x70, 0x3E, 0x01, 0xC9, 0x02, 0x02, 0x00, 0x70};
inline const Bytes kTenBas = {0xFF, 0x0B, 0x6B, 0x0A, 0x00, 0xB2, 0x20, 0x22, 0x48, 0x49,
                              0x22, 0x00, 0x11, 0x6B, 0x14, 0x00, 0x80, 0x00, 0x00, 0x00};

inline Bytes FilesDisk() {
  Bytes gat = Trsdos23Gat();
  gat[1] = gat[7] = 0xFD;
  gat[5] = 0xFF;
  const DirEntry entries[] = {{0x10, "NOTE", "TXT", 0, 0, 7, 2, {0x01, 0x00}},
                              {0x10, "PROG", "CMD", 0, 0, 17, 1, {0x05, 0x00}},
                              {0x10, "TEN", "BAS", 0, 0, 20, 1, {0x05, 0x20}},
                              {0x00, "OLD", "TXT", 0, 0, 7, 1, {0x06, 0x00}}};
  const std::uint8_t hashes[] = {0xD7, 0xAB, 0xA4, 0x00};
  SectorDisk disk = Trsdos23Disk(gat, entries, hashes);
  Bytes note(255, 'A');
  note.push_back(0x0D);
  disk.Put(1, 0, 0, 0, note).Put(1, 0, 1, 0, {'S', 'E', 'C', 'O', 'N', 'D', 0x0D});
  disk.Put(5, 0, 0, 0, kProgCmd).Put(5, 0, 5, 0, kTenBas);
  disk.Put(6, 0, 0, 0, {'K', 'I', 'L', 'L', 'E', 'D', 0x0D});
  return disk.Jv3();
}

}  // namespace m1::testing
