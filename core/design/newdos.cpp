// The main window's reading of Newdos/80's system sector (its layout is in
// core/dos/newdos_format.h): the marker at track 0 sector 2 as the window's own sector lookup
// finds it, and the first PDRIVE entry as the "Pdrives:" line. The TI letters: the first from
// bits 0xFC of byte 2; the second "M" for bit 0x20, else "K" for 0x40, else "L" for bit 0x04 of
// byte 7.
#include "core/design/newdos.h"

#include "core/container/jv1_format.h"
#include "core/design/formats.h"
#include "core/design/sector.h"
#include "core/dos/newdos_format.h"
#include "core/text/number_text.h"

namespace m1 {

namespace {

// Track 0, sector 2 of a JV1 image.
constexpr std::int64_t kJv1SystemSector = 2 * jv1::kSectorBytes;

std::string FirstTiLetter(int v) {
  if (v == 0x14) return "E";
  if (v == 0x0C) return "B";
  if (v & 0x04) return "A";
  if (v & 0x08) return "D";
  if (v & 0x10) return "C";
  return "?";
}

std::string TdLetter(int spt) {
  switch (spt) {
    case 10:
      return "A";  // single-sided, single density
    case 20:
      return "C";  // double-sided, single density
    case 18:
      return "E";  // single-sided, double density
    default:
      return "G";  // double-sided, double density
  }
}

// True when the system sector starting at fpa carries the marker and a whole PDRIVE entry.
bool HasMarker(const DiskImage& img, const ByteReader& file, int step) {
  const auto p = static_cast<std::int64_t>(img.fpa);
  if (file.byte(p + std::int64_t{newdos::kMarkerAt} * step) != newdos::kMarker) return false;
  for (int k = 0; k < newdos::kPdriveBytes; ++k) {
    if (!file.byte(p + std::int64_t{k} * step)) return false;  // the entry runs past the end
  }
  return true;
}

// Looks up candidate sector index c the way the analysis does, and tells whether it is the
// system sector. Sets emptied when the lookup emptied the offset box.
bool CandidateHasMarker(DiskImage& img, const ByteReader& file, std::int64_t c, bool& emptied) {
  const double saved = img.PresSecnum;
  img.PresSecnum = static_cast<double>(c);
  emptied = LocateSector(img) || emptied;
  img.PresSecnum = saved;
  return HasMarker(img, file, DataByteStep(img));
}

}  // namespace

std::string PdriveText(const PdriveBytes& e) {
  const int v = e.ti & 0xFC;
  std::string second;
  if (e.ti & 0x20) {
    second = "M";
  } else if (e.ti & 0x40) {
    second = "K";
  } else {
    second = (e.ti2 & 0x04) ? "L" : " ";
  }
  return "Pdrives:" + std::string(" TI = ") + FirstTiLetter(v) + second +
         "  TD = " + TdLetter(e.spt) + "  TC =" + SignedText(e.tc) +
         "   SPT =" + SignedText(e.spt) + "  TSR =" + SignedText(e.ti & 0x03) +
         "  GPL =" + SignedText(e.gpl) + "  DDSL =" + SignedText(e.ddsl) +
         "  DDGA =" + SignedText(e.ddga);
}

bool DecodePdrive(DiskImage& img, const ByteReader& file, int step) {
  const auto p = static_cast<std::int64_t>(img.fpa);
  auto at = [&](std::size_t k) { return file.byte(p + static_cast<std::int64_t>(k) * step); };
  const auto ddsl = at(newdos::kDdsl), ti = at(newdos::kTi), tc = at(newdos::kTc),
             spt = at(newdos::kSpt), gpl = at(newdos::kGpl), ti2 = at(newdos::kTi2),
             ddga = at(newdos::kDdga);
  if (!ddsl || !ti || !tc || !spt || !gpl || !ti2 || !ddga) return false;
  img.pdrive = PdriveText(PdriveBytes{*ddsl, *ti, *tc, *spt, *gpl, *ti2, *ddga});
  img.fpa = static_cast<double>(p + static_cast<std::int64_t>(newdos::kSpt) * step);
  return true;
}

bool CheckNewdos(DiskImage& img, const ByteReader& file) {
  bool emptied = false;
  bool found = false;
  int step = 1;
  if (img.jv1 == 1) {
    img.fpa = static_cast<double>(kJv1SystemSector);
    found = HasMarker(img, file, 1);
  } else {
    // Track 0, sector 2: the candidate is the track recorded for sector index 0, plus 2; then
    // the same from sector index 1.
    img.TrkToFind = 0;
    img.SecToFind = 2;
    img.SideToFind = 0;
    found = CandidateHasMarker(img, file,
                               std::int64_t{img.sectrk.At(img.TrkToFind)} + img.SecToFind, emptied);
    if (!found) {
      img.TrkToFind = 1;
      found = CandidateHasMarker(
          img, file, std::int64_t{img.sectrk.At(img.TrkToFind)} + img.SecToFind, emptied);
    }
    step = DataByteStep(img);
  }

  if (!found) {
    img.newdosflag = 0;
    if (img.jv1 == 0) img.spgaa = "   Spg =" + SignedText(img.spg);
    return emptied;
  }
  const auto p = static_cast<std::int64_t>(img.fpa);
  img.newdosflag = 1;
  img.spg = newdos::kGranuleSectors;
  img.spl = img.spg * file.byte(p + static_cast<std::int64_t>(newdos::kGpl) * step).value_or(0);
  DecodePdrive(img, file, step);
  img.spgaa = "   Spg =" + SignedText(img.spg);
  return emptied;
}

}  // namespace m1
