// The main window's record of the facts of an image: its bytes, the container format, the
// geometry with the per-track and per-sector tables, the place and kind of the sector on display,
// and the Newdos/80 drive parameters. Field names are those the program has always used.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace m1 {

inline constexpr int kTrackSlots = 81;        // trkspt: track numbers 0..80
inline constexpr int kTrackStartSlots = 162;  // trkstart: 0..161 (room for both sides of 81 tracks)
inline constexpr int kSectorSlots = 4001;     // per-sector tables: sector index 0..4000

// A per-track or per-sector table. At reads 0 outside the table's range, so that no index the
// window works out (a double, as the program has always kept them) can reach outside it.
template <std::size_t N>
struct SlotTable : std::array<std::int32_t, N> {
  std::int32_t At(double index) const {
    if (!std::isfinite(index) || index < 0 || index >= static_cast<double>(N)) return 0;
    return (*this)[static_cast<std::size_t>(index)];
  }
};

struct DiskImage {
  // The whole file, indexed by file offset, followed by one spare zero byte. Holds just the spare
  // byte when the file was too large to be read.
  std::vector<std::uint8_t> filebuf = std::vector<std::uint8_t>(1, 0);

  // Integer fields the program keeps in 16 bits are plain ints here; they stay within 16 bits.
  int dirstartsecfnd = 0;  // 1 when a directory start sector was found on this image
  int datamarkDmk = 0;     // DMK: data address mark byte of the present sector
  int datamarkjv = 0;      // JV1/JV3: 32 when the present sector has the directory mark, else 0
  std::string dd;          // " Single/Density", " Double/Density" or " Dual/Density"
  int dens = 0;            // 1 single, 2 double, 3 dual
  int disktrk = 0;         // track of the present sector
  std::int32_t dirstartsec = 0;  // sector index of the first directory sector
  int jv3flag = 0;
  int dmkflag = 0;
  std::string Emtype;        // "JV1", "JV3" or "DMK"
  int errflg = 0;            // cleared by LocateSector
  double fpa = 0;            // current file position (a whole byte offset)
  std::int32_t fileend = 0;  // file length in bytes
  int firstsecnum = 0;       // number of the first sector on a track: 0, or 1
  int jv1 = 0;
  int newdosflag = 0;  // 1: a Newdos/80 drive parameter table was found
  int openflag = 0;    // 1 once a file has been opened in the window
  std::string pdrive;  // the "Pdrives:" line
  int SecToFind = 0;
  int SideToFind = 0;
  std::string sda;             // " Single/Sided" or " Double/Sided"
  std::string sptab;           // sectors-per-cylinder text
  std::string spgaa;           // "   Spg =" and the sectors per granule
  int spg = 0;                 // sectors per granule: 5 or 6
  int spl = 0;                 // sectors per lump
  int spt = 0;                 // sectors per track
  std::int32_t trklength = 0;  // DMK: length of one track image (header bytes 2 and 3)
  int trkdens = 0;             // density flag of the present sector: 0 or 128
  int Totalsecs = 0;           // number of sectors on the image
  int track = 0;               // track wanted by the track commands
  int TrkToFind = 0;
  int tracks = 0;         // number of tracks (cylinders)
  int sides = 0;          // 1 or 2
  double PresSecnum = 0;  // sector index on display (a whole number)
  std::string Filename;   // path of the open file
  // DMK only: header byte 4 has bit 0x40 (single density stored single-byte) or 0x80 (ignore
  // density), so single-density sectors are recorded one byte per byte, not doubled.
  int sdsinglebyte = 0;

  // Per-track tables.
  SlotTable<kTrackSlots> trkspt{};         // sectors on each track
  SlotTable<kTrackStartSlots> trkstart{};  // sector index of each track's first sector
  // Per-sector tables, by sector index.
  SlotTable<kSectorSlots> sectrk{};   // track recorded for the sector
  SlotTable<kSectorSlots> secside{};  // side: 0 or 1
  SlotTable<kSectorSlots> secid{};    // sector number recorded
  SlotTable<kSectorSlots> secdens{};  // 0 single, 128 double
  SlotTable<kSectorSlots> secdam{};   // JV3: 0 or 32; DMK: the mark byte
  SlotTable<kSectorSlots> secpos{};   // file offset of the first data byte

  // The bytes of the file (filebuf without its spare byte; empty when the file was not read).
  std::size_t DataSize() const { return filebuf.empty() ? 0 : filebuf.size() - 1; }
};

}  // namespace m1
