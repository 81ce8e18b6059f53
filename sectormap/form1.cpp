#include "sectormap/form1.h"

#include <algorithm>
#include <limits>
#include <span>

#include "sectormap/image_bytes.h"
#include "sectormap/map_layout.h"

namespace m1 {

namespace {

namespace ml = maplayout;

// Files outside these sizes are refused before any format test: the header tests read bytes up
// to offset 15, and no disk image comes near 64 MiB.
constexpr std::int64_t kMinImageBytes = 16;
constexpr std::int64_t kMaxImageBytes = std::int64_t{64} * 1024 * 1024;

constexpr int kLastPage = 20;  // pagepsn holds the start of pages 0 to 20

// DMK: a 16-byte header, then track images of the track length (header bytes 2 and 3), each
// opening with a table of 2-byte ID address mark pointers (bit 15: double density; the rest: the
// offset of the ID address mark from the start of the track image).
constexpr std::int64_t kDmkHeaderBytes = 16;
constexpr int kDmkMaxPointers = 31;  // the map shows at most 31 sectors of a track
constexpr int kDmkTracksPerPage = 21;
constexpr unsigned kDmkDoubleDensity = 0x8000;
// Bytes 12 to 15 of the header of an image that stands for a real drive.
constexpr std::uint8_t kDmkRealDrive[4] = {0x78, 0x56, 0x34, 0x12};
// The data address mark lies about 44 bytes after a double-density ID address mark and 24 after a
// single-density one (gaps and sync bytes between the ID field and the data field).
constexpr int kDmkDamDouble = 44;
constexpr int kDmkDamSingle = 24;
constexpr std::int32_t kDmkStdDouble = 6400;  // the usual double-density track length
constexpr std::int32_t kDmkStdSingle = 3264;  // the usual single-density track length
constexpr std::int32_t kDmkMinTrack = 3264;    // a plausible header's track length, from here ...
constexpr std::int32_t kDmkMaxTrack = 16384;   // ... to here
constexpr std::int32_t kDmkDoubleFrom = 6000;  // track lengths from here hold double density
constexpr int kDmkMaxTracks = 96;
// In a Model 1 doubled single-density sector every byte is recorded twice, so the byte after the
// ID address mark repeats it.
constexpr std::uint8_t kIdamRepeat = 0xFE;

// JV1: no header, 10 single-density sectors of 256 bytes a track, directory on track 17.
constexpr std::int64_t kJv1TrackBytes = 2560;
constexpr int kJv1MaxTracks = 96;
constexpr int kJv1SectorsPerTrack = 10;
constexpr std::int64_t kJv1SectorBytes = 256;
constexpr int kJv1DirTrack = 17;
constexpr int kJv1TracksPerPage = 21;

// JV3: 2901 three-byte sector headers (track, sector, flags) before the data; track 0xFF marks a
// free entry.
constexpr std::int64_t kJv3Entries = 2901;
constexpr std::int64_t kJv3EntryBytes = 3;
constexpr std::uint8_t kJv3Free = 0xFF;
constexpr std::uint8_t kJv3Double = 0x80;
constexpr std::uint8_t kJv3DirMark = 0x20;  // the data address mark of a directory sector
constexpr std::uint8_t kJv3Side = 0x10;
constexpr int kJv3LinesPerPage = 21;

// The file's own bytes: the buffer without its spare zero byte, never more than fileend.
ImageBytes FileBytes(const std::vector<std::uint8_t>& buf, std::int32_t fileend) {
  const std::size_t held = buf.empty() ? 0 : buf.size() - 1;
  const std::size_t n = std::min(held, static_cast<std::size_t>(std::max<std::int32_t>(fileend, 0)));
  return ImageBytes(std::span<const std::uint8_t>(buf.data(), n));
}

// Tracks of a JV1 image: the file size in 2560-byte tracks, rounded up, 1 to 96.
int Jv1Tracks(std::int32_t fileend) {
  const std::int64_t tracks = (std::int64_t{fileend} + kJv1TrackBytes - 1) / kJv1TrackBytes;
  return static_cast<int>(std::clamp<std::int64_t>(tracks, 1, kJv1MaxTracks));
}

bool IsDirMark(std::uint8_t mark) { return mark == 0xF8 || mark == 0xFA; }
bool IsDataMark(std::uint8_t mark) { return mark == 0xF8 || mark == 0xFA || mark == 0xFB; }

}  // namespace

form1::form1(Platform& platform) : surface(platform.metrics, colour::kButtonFace), p_(platform) {
  Text1.bg = {255, 224, 192};
  TxtFilename.bg = {255, 192, 128};
  dirCounted_.assign(static_cast<std::size_t>(kJv3Entries), false);
}

// ---- Window events -------------------------------------------------------------------------

void form1::Form_Load() {
  p_.host.ChangeToProgramFolder();
  Option1.value = true;  // numeric order; nothing is open, so nothing is drawn
  Option2.value = false;
}

void form1::Form_Activate() {
  const std::string& shared = p_.module.SharedFilename;
  if (shared.empty()) return;
  Filename = shared;
  if (!OpenFile(Filename)) return;  // the window keeps the file and page it had
  TxtFilename.text = Filename;
  openflag = 1;
  LoadDiskFile();
}

void form1::Form_Resize() { Redraw(); }

void form1::Option1_Click() {
  Option1.value = true;
  Option2.value = false;
  Redraw();
}

void form1::Option2_Click() {
  Option1.value = false;
  Option2.value = true;
  Redraw();
}

void form1::Cmndnext_Click() {
  if (openflag == 0 || !pageable_) return;
  if (dmkflag == 1 && !(fpa < fileend)) return;  // the last track image is on show
  if (endflag == 1) return;                       // the last JV3 entry is on show
  if (Pagenum >= kLastPage) return;
  ++Pagenum;
  if (jv1 == 1 && Pagenum > Jv1LastPage()) {
    Pagenum = Jv1LastPage();
    return;
  }
  ShowSecPage();  // continues where the previous page stopped
}

void form1::Cmndprev_Click() {
  if (openflag == 0 || !pageable_) return;
  --Pagenum;
  if (Pagenum < 0) {
    Pagenum = 0;
    return;
  }
  filepsn = fpa = pagepsn[static_cast<std::size_t>(Pagenum)];
  ShowSecPage();
}

void form1::Redraw() {
  if (openflag == 0 || !pageable_) return;
  filepsn = fpa = pagepsn[static_cast<std::size_t>(Pagenum)];
  ShowSecPage();
}

void form1::Cmndfiledisp_Click() { p_.host.ShowForm(FormId::Main); }

void form1::mnuFileItem_Click(int index) {
  if (index == 4) {
    p_.host.EndProgram();
    return;
  }
  if (index != 1) return;
  const auto chosen = p_.dialogs.ShowOpen(kOpenFilter, 2);
  if (!chosen) return;  // Cancel leaves everything as it was
  CMDialog1_Filename = *chosen;
  Filename = *chosen;
  const bool opened = OpenFile(Filename);
  TxtFilename.text = Filename;
  openflag = 1;
  if (opened) LoadDiskFile();
}

void form1::Form_QueryUnload(int& /*cancel*/, int unloadMode) { DoUnLoadPreCheck(unloadMode); }

// ---- Public operations ---------------------------------------------------------------------

bool form1::OpenFile(const std::string& path) {
  p_.files.CloseAll();
  if (p_.files.Open(path)) return true;
  p_.dialogs.MsgBox("Error encountered while trying to open file, please retry.", "Text Editor",
                    MsgIcon::Exclamation);
  p_.files.CloseAll();
  return false;
}

void form1::DoUnLoadPreCheck(int unloadMode) {
  // 0: the user closed the window; 3: the task manager. Either ends the whole program.
  if (unloadMode == 0 || unloadMode == 3) p_.host.EndProgram();
}

void form1::Refuse(const char* line2) {
  jv1 = 0;
  dmkflag = 0;
  pageable_ = false;
  p_.dialogs.MsgBox(std::string("** ERROR **\r") + line2, "Error", MsgIcon::None);
}

void form1::LoadDiskFile() {
  if (!p_.files.IsOpen()) return;
  const std::int64_t length = p_.files.Length();
  const bool tooLarge = length > kMaxImageBytes;
  std::vector<std::uint8_t> bytes;
  if (!tooLarge && !p_.files.ReadAll(bytes, 1)) bytes.clear();
  if (bytes.empty()) bytes.assign(1, 0);
  filebuf = std::move(bytes);
  fileend = static_cast<std::int32_t>(
      std::min<std::int64_t>(length, std::numeric_limits<std::int32_t>::max()));
  p_.files.CloseAll();
  ++filesLoaded;

  fpa = 0;
  secnum = 0;
  startchk = 0;
  dirstartsec = 0;
  direndsec = 0;
  Pagenum = 0;
  endflag = 0;
  dirCounted_.assign(static_cast<std::size_t>(kJv3Entries), false);
  surface.Cls();
  drawnSectors.clear();

  if (tooLarge) {
    Refuse(" This file is too large to be a disk image");
    return;
  }
  if (length < kMinImageBytes || static_cast<std::int64_t>(filebuf.size()) - 1 < length) {
    Refuse(" This file is too short to be a disk image");
    return;
  }
  pageable_ = true;

  const ImageBytes in = FileBytes(filebuf, fileend);
  const auto b = [&](std::int64_t at) { return in.byte(at).value_or(0); };

  // Recognition, in this order: JV1 first (its first bytes are those of a Model 1 boot sector),
  // then DMK by its header, and whatever is neither is taken for JV3, whose header test runs on
  // every drawing of the page.
  dmkflag = 0;
  jv1 = (b(0) == 0x00 && b(1) == 0xFE && b(2) == 0x11) ? 1 : 0;
  if (jv1 == 1) {
    ShowSecPage();
    return;
  }

  trkindex = static_cast<std::int32_t>(in.le16(2).value_or(0));
  if (trkindex == kDmkStdDouble) {
    dmkflag = 1;
    damindx = kDmkDamDouble;
  } else if (trkindex == kDmkStdSingle) {
    dmkflag = 1;
    damindx = kDmkDamSingle;
  } else {
    // Most real DMK images use other track lengths; a plausible header is taken as DMK.
    const bool protectByte = b(0) == 0x00 || b(0) == 0xFF;
    const int tracks = b(1);
    const bool plausible = protectByte && tracks >= 1 && tracks <= kDmkMaxTracks &&
                           trkindex >= kDmkMinTrack && trkindex <= kDmkMaxTrack &&
                           kDmkHeaderBytes + trkindex <= fileend;
    if (plausible) {
      dmkflag = 1;
      damindx = trkindex >= kDmkDoubleFrom ? kDmkDamDouble : kDmkDamSingle;
    }
  }

  if (dmkflag == 1) {
    if (b(12) == kDmkRealDrive[0] && b(13) == kDmkRealDrive[1] && b(14) == kDmkRealDrive[2] &&
        b(15) == kDmkRealDrive[3]) {
      pageable_ = false;
      p_.dialogs.MsgBox(
          "** ERROR **  This file is a DMK type REAL disk format,\r"
          "                     used to access REAL Disks",
          "Error", MsgIcon::None);
      return;
    }
    filepsn = fpa = static_cast<double>(kDmkHeaderBytes);
    ShowSecPage();
    return;
  }

  filepsn = fpa = 0;
  ShowSecPage();
}

void form1::ShowSecPage() {
  surface.Cls();
  drawnSectors.clear();
  const Twips h = surface.TextHeight("sample");
  if (dmkflag == 1) {
    DrawDmkPage(h);
  } else if (jv1 == 1) {
    DrawJv1Page(h);
  } else {
    DrawJv3Page(h);
  }
}

// ---- The pages -----------------------------------------------------------------------------

// The colour key above the lines; the formats differ only in the text of double-density directory
// sectors and its colour.
void form1::DrawKey(Twips h, Rgb dirDoubleColour, const std::string& dirDoubleText) {
  surface.SetPos(ml::kLabelX, ml::KeySingleY(h));
  surface.SetForeColor(ml::kSingle);
  surface.Print(ml::kKeySingle, false);
  surface.SetForeColor(ml::kDirSingle);
  surface.Print(ml::kKeyDirSingle, false);
  surface.SetPos(ml::kLabelX, ml::KeyDoubleY(h));
  surface.SetForeColor(ml::kDouble);
  surface.Print(ml::kKeyDouble, false);
  surface.SetForeColor(dirDoubleColour);
  surface.Print(dirDoubleText, false);
}

void form1::DrawJvKey(Twips h) { DrawKey(h, ml::kKeyDirDoubleJvColour, ml::kKeyDirDoubleJv); }

void form1::DrawDmkPage(Twips h) {
  const ImageBytes in = FileBytes(filebuf, fileend);
  const bool numeric = !Option2.value;

  pagepsn[static_cast<std::size_t>(Pagenum)] = fpa;
  endflag = 0;
  Text1.text = "DMK";

  Twips line = ml::LineBase(h);
  Twips column = ml::kFirstColumnDmk;
  int prevTrack = 0;
  int prevSide = 250;  // no side byte holds it, so the first sector opens a line
  int imagesDrawn = 0;
  std::optional<std::uint8_t> lastMark;
  bool lastDoubleByte = false;

  auto track = static_cast<std::int64_t>(fpa);
  while (track < fileend) {
    // The sectors of this track image: its pointers up to the first empty one, at most 31.
    int count = 0;
    while (count < kDmkMaxPointers) {
      const auto word = in.le16(track + 2 * count);
      if (!word || (*word & ~kDmkDoubleDensity) == 0) break;
      ++count;
    }
    for (int i = 0; i < count; ++i) {
      const unsigned word = *in.le16(track + 2 * i);
      const bool doubleDensity = (word & kDmkDoubleDensity) != 0;
      const std::int64_t idam = track + (word & ~kDmkDoubleDensity);

      const auto repeat = in.byte(idam + 1);
      if (!repeat) continue;
      const bool doubleByte = *repeat == kIdamRepeat;
      const int step = doubleByte ? 2 : 1;
      const auto trk = in.byte(idam + step);
      const auto side = in.byte(idam + 2 * step);
      const auto sec = in.byte(idam + 3 * step);
      if (!trk || !side || !sec) continue;  // the ID field runs past the end of the file
      auto mark = in.byte(idam + damindx);
      if (!mark) continue;
      if (!IsDataMark(*mark)) {
        mark = in.byte(idam + damindx + 1);
        if (!mark) continue;
      }

      if (*trk != prevTrack || *side != prevSide) {
        column = ml::kFirstColumnDmk;
        line += ml::kLineStep;
        const int shownSide = *side == 1 ? 1 : 0;
        surface.SetPos(ml::kLabelX, line);
        surface.SetForeColor(ml::LabelColour(shownSide));
        surface.Print(ml::TrackLabel(*trk, shownSide), false);
      }

      Rgb c = doubleDensity ? ml::kDouble : ml::kSingle;
      if (IsDirMark(*mark)) c = doubleDensity ? ml::kDirDoubleDmk : ml::kDirSingle;
      surface.SetForeColor(c);
      if (numeric) {
        surface.SetPos(ml::NumericColumn(ml::kFirstColumnDmk, *sec), line);
        const std::string text = std::string(doubleByte ? "*" : " ") + std::to_string(*sec);
        NoteDrawn(text, idam, true);
        surface.Print(text, false);
      } else {
        surface.SetPos(column, line);
        NoteDrawn(ml::NumberForm(*sec), idam, true);
        surface.Print(ml::NumberForm(*sec), false);
        column += ml::kColumnStep;
      }

      prevTrack = *trk;
      prevSide = *side;
      lastMark = mark;
      lastDoubleByte = doubleByte;
    }
    track += trkindex;
    ++imagesDrawn;
    if (imagesDrawn == kDmkTracksPerPage) break;
  }
  fpa = static_cast<double>(track);

  // With no sector on the page there is no last data address mark to show.
  std::string possible = ml::kKeyDirDoubleDmk;
  if (lastMark) possible += ml::HexForm(*lastMark) + "h";
  DrawKey(h, ml::kDirDoubleDmk, possible);

  if (lastDoubleByte) {
    surface.SetPos(ml::kLabelX, ml::KeyNoteY(h));
    surface.SetForeColor(ml::kNote);
    surface.Print(ml::kDoubleByteNote, false);
  }
}

int form1::Jv1LastPage() const { return (Jv1Tracks(fileend) - 1) / kJv1TracksPerPage; }

void form1::DrawJv1Page(Twips h) {
  endflag = 0;
  DrawJvKey(h);
  Text1.text = "JV1";

  const int tracks = Jv1Tracks(fileend);
  const int page = std::clamp(Pagenum, 0, Jv1LastPage());
  const int first = page * kJv1TracksPerPage;
  const int last = std::min(first + kJv1TracksPerPage, tracks) - 1;

  Twips line = ml::Jv1FirstLine(h);
  for (int t = first; t <= last; ++t) {
    surface.SetPos(ml::kLabelX, line);
    surface.SetForeColor(ml::kLabelSide0);
    surface.Print(ml::TrackLabel(t, 0), false);
    surface.SetForeColor(t == kJv1DirTrack ? ml::kDirSingle : ml::kSingle);
    for (int s = 0; s < kJv1SectorsPerTrack; ++s) {
      surface.SetPos(ml::NumericColumn(ml::kFirstColumnJv, s), line);
      NoteDrawn(ml::NumberForm(s), (std::int64_t{t} * kJv1SectorsPerTrack + s) * kJv1SectorBytes,
                false);
      surface.Print(ml::NumberForm(s), false);
    }
    line += ml::kLineStep;
  }
}

void form1::DrawJv3Page(Twips h) {
  const ImageBytes in = FileBytes(filebuf, fileend);
  const bool numeric = !Option2.value;

  // A JV3 table opens with the entries of track 0: the second to fourth entries name the track of
  // the first. A file without that has no emulator header.
  const auto t0 = in.byte(0);
  const auto t1 = in.byte(3);
  const auto t2 = in.byte(6);
  const auto t3 = in.byte(9);
  if (!t0 || !t1 || !t2 || !t3 || *t1 != *t0 || *t2 != *t0 || *t3 != *t0) {
    p_.dialogs.MsgBox(
        "** ERROR **\r"
        " This file does not have an EMULATOR Disk format HEADER\r"
        "    It may be a Disk file for use with a dedicated program",
        "Error", MsgIcon::None);
    return;
  }

  pagepsn[static_cast<std::size_t>(Pagenum)] = filepsn;
  endflag = 0;
  DrawJvKey(h);
  Text1.text = "JV3";

  Twips line = ml::LineBase(h);
  Twips column = ml::kFirstColumnJv;
  int prevTrack = 0;
  int prevSide = 200;  // no side flag holds it, so the first entry opens a line
  int lines = 0;

  auto at = static_cast<std::int64_t>(filepsn);
  for (;;) {
    const std::int64_t entry = at / kJv3EntryBytes;
    const auto trk = in.byte(at);
    const auto sec = in.byte(at + 1);
    const auto flags = in.byte(at + 2);
    // The table ends at a free entry, after its 2901st entry, or with the file.
    if (entry >= kJv3Entries || !trk || !sec || !flags || *trk == kJv3Free) {
      endflag = 1;
      break;
    }
    const int sideFlag = *flags & kJv3Side;
    if (*trk != prevTrack || sideFlag != prevSide) {
      column = ml::kFirstColumnJv;
      line += ml::kLineStep;
      ++lines;
      if (lines == kJv3LinesPerPage + 1) break;  // this entry opens the next page
      const int side = sideFlag == kJv3Side ? 1 : 0;
      surface.SetPos(ml::kLabelX, line);
      surface.SetForeColor(ml::LabelColour(side));
      surface.Print(ml::TrackLabel(*trk, side), false);
    }

    const bool doubleDensity = (*flags & kJv3Double) != 0;
    const bool dir = (*flags & kJv3DirMark) != 0;
    Rgb c = doubleDensity ? ml::kDouble : ml::kSingle;
    if (dir) c = doubleDensity ? ml::kDirDoubleJv3 : ml::kDirSingle;
    surface.SetForeColor(c);

    secnum = static_cast<int>(entry);
    const auto slot = static_cast<std::size_t>(entry);
    if (dir && slot < dirCounted_.size() && !dirCounted_[slot]) {
      dirCounted_[slot] = true;
      if (startchk == 0) {
        dirstartsec = direndsec = secnum;
        startchk = 1;
      } else {
        ++direndsec;
      }
    }

    if (numeric) {
      surface.SetPos(ml::NumericColumn(ml::kFirstColumnJv, *sec), line);
    } else {
      surface.SetPos(column, line);
      column += ml::kColumnStep;
    }
    NoteDrawn(ml::NumberForm(*sec), at, true);
    surface.Print(ml::NumberForm(*sec), false);

    prevTrack = *trk;
    prevSide = sideFlag;
    at += kJv3EntryBytes;
    secnum = static_cast<int>(at / kJv3EntryBytes);
  }
  filepsn = static_cast<double>(at);

  if (dirstartsec > 0) {
    surface.SetPos(ml::kDirNumberX, ml::kDirStartY);
    surface.Print(ml::NumberForm(dirstartsec), false);
    surface.SetPos(ml::kDirNumberX, ml::kDirEndY);
    surface.Print(ml::NumberForm(direndsec), false);
  }
}

}  // namespace m1
