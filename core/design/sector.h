// Sector addressing: from a sector index to the sector's track, side, number, place in the file,
// density, data mark and kind, and the step from one of its data bytes to the next.
#pragma once

#include <optional>

#include "core/design/disk_image.h"

namespace m1 {

// Sets TrkToFind, SecToFind, SideToFind for PresSecnum (step 1 of the resolution).
void ResolvePosition(DiskImage& img);
// Sets disktrk, fpa, datamarkjv and, for JV3 and DMK, trkdens, Emtype and datamarkDmk (steps 2-6).
void ResolvePlace(DiskImage& img);
// Both of the above: the whole resolution of PresSecnum.
void ResolveSector(DiskImage& img);

// The short lookup the analysis uses (JV3 and DMK only): errflg, Emtype, fpa, trkdens and the
// data mark of PresSecnum. Returns true when it emptied the offset box (a DMK image).
bool LocateSector(DiskImage& img);

// Sector kind by the marks alone (rules 1 to 3): true for a directory sector.
bool IsDirectoryByMarks(const DiskImage& img);
// Rule 4, for images whose tracks start at sector 1: fixes dirstartsec at spt x 17 and tells
// whether PresSecnum lies in the eighteen sectors from there. On other images (firstsecnum not 1)
// it changes nothing and returns false.
bool IsDirectoryFromSectorOne(DiskImage& img);
// The whole sector kind, rules 1 to 4: rule 4 when firstsecnum is 1, else the marks.
bool IsDirectorySector(DiskImage& img);

// 2 for a single-density DMK sector read from a doubled-byte track (header byte 4 without 0x40
// and 0x80), else 1.
int DataByteStep(const DiskImage& img);
// Lump of the present sector on a Newdos/80 image (PresSecnum / spl); nothing when spl is 0.
std::optional<long> Lump(const DiskImage& img);

}  // namespace m1
