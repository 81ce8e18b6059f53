#include "sectormap/form1.h"

#include <algorithm>
#include <limits>
#include <span>

#include "core/container/byte_reader.h"
#include "core/container/dmk_format.h"
#include "core/container/jv1_format.h"
#include "core/container/jv3_format.h"
#include "core/design/analysis.h"
#include "core/text/number_text.h"
#include "sectormap/map_layout.h"

namespace m1 {

namespace {

namespace ml = maplayout;

constexpr int kLastPage = 20;        // pagepsn holds the start of pages 0 to 20
constexpr int kDmkMaxPointers = 31;  // the map shows at most 31 sectors of a track
constexpr int kDmkTracksPerPage = 21;
constexpr int kJv1TracksPerPage = 21;
constexpr int kJv3LinesPerPage = 21;
constexpr std::int64_t kJv3SectorByte = 1;  // a JV3 header entry holds track, sector, flags

// ---- The map's own reading of the containers -------------------------------------------------
// The map reads the containers through the core vocabulary, by rules of its own that differ on
// purpose from the main window's analysis (core/recognise.cpp, core/dmk.cpp, core/jv3.cpp).

// DMK: the map looks for the data address mark at one place only, about 44 bytes after a
// double-density ID address mark and 24 after a single-density one (the gaps and sync bytes
// between the ID field and the data field); by the track length of the header.
int DamIndex(const dmk::Header& header) {
  constexpr int kDamDouble = 44;
  constexpr int kDamSingle = 24;
  return header.LongTrack() ? kDamDouble : kDamSingle;
}

// DMK: an ID field is taken for a doubled one (every byte recorded twice) when the byte after its
// address mark repeats it, whatever the header says. Nothing when that byte is past the end.
std::optional<bool> DoubledIdField(const ByteReader& in, std::int64_t idam) {
  const auto repeat = in.byte(idam + 1);
  if (!repeat) return std::nullopt;
  return *repeat == dmk::kIdAddressMark;
}

// DMK: the data address mark is the byte at damindx after the ID address mark, or the byte after
// that one when it is not F8, FA or FB.
std::optional<std::uint8_t> DataMarkAt(const ByteReader& in, std::int64_t idam, int damindx) {
  const auto mark = in.byte(idam + damindx);
  if (!mark || dmk::IsDataMark(*mark)) return mark;
  return in.byte(idam + damindx + 1);
}

// DMK: the pointers of the track image at track, up to the first empty one and at most 31.
int PointerCount(const ByteReader& in, std::int64_t track) {
  int count = 0;
  while (count < kDmkMaxPointers) {
    const auto p = dmk::ReadPointer(in, track, count);
    if (!p || p->Offset15() == 0) break;
    ++count;
  }
  return count;
}

// The file's own bytes: the buffer without its spare zero byte, never more than fileend.
ByteReader FileBytes(const std::vector<std::uint8_t>& buf, std::int32_t fileend) {
  const std::size_t held = buf.empty() ? 0 : buf.size() - 1;
  const std::size_t n =
      std::min(held, static_cast<std::size_t>(std::max<std::int32_t>(fileend, 0)));
  return ByteReader(std::span<const std::uint8_t>(buf.data(), n));
}

}  // namespace

form1::form1(Platform& platform) : surface(platform.metrics, colour::kButtonFace), p_(platform) {
  Text1.bg = colour::kLightPeach;
  TxtFilename.bg = colour::kPeach;
  dirCounted_.assign(static_cast<std::size_t>(jv3::kEntries), false);
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

void form1::Form_Resize() {
  Redraw();
}

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
  if (endflag == 1) return;                      // the last JV3 entry is on show
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

void form1::Cmndfiledisp_Click() {
  p_.host.ShowForm(FormId::Main);
}

void form1::mnuFileItem_Click(int index) {
  if (index == 4) {
    p_.host.EndProgram();
    return;
  }
  if (index != 1) return;
  const auto chosen = p_.dialogs.ShowOpen(kImageFilesFilter, 2);
  if (!chosen) return;  // Cancel leaves everything as it was
  OpenChosen(*chosen);
}

void form1::OpenChosen(const std::string& path) {
  CMDialog1_Filename = path;
  Filename = path;
  const bool opened = OpenFile(Filename);
  TxtFilename.text = Filename;
  openflag = 1;
  if (opened) LoadDiskFile();
}

void form1::Form_QueryUnload(int& /*cancel*/, int unloadMode) {
  DoUnLoadPreCheck(unloadMode);
}

// ---- Public operations ---------------------------------------------------------------------

bool form1::OpenFile(const std::string& path) {
  return m1::OpenFile(p_, path);
}

void form1::DoUnLoadPreCheck(int unloadMode) {
  m1::DoUnLoadPreCheck(p_, unloadMode);
}

void form1::Refuse(const Refusal& refusal) {
  jv1 = 0;
  dmkflag = 0;
  pageable_ = false;
  p_.dialogs.MsgBox(refusal.Text(), "Error", MsgIcon::None);
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
  dirCounted_.assign(static_cast<std::size_t>(jv3::kEntries), false);
  surface.Cls();
  drawnSectors.clear();

  if (tooLarge) {
    Refuse(TooLargeRefusal());
    return;
  }
  if (length < kMinImageBytes || static_cast<std::int64_t>(filebuf.size()) - 1 < length) {
    Refuse(TooShortRefusal());
    return;
  }
  pageable_ = true;

  const ByteReader in = FileBytes(filebuf, fileend);

  // Recognition, in this order: JV1 first (its first bytes are those of a Model 1 boot sector),
  // then DMK by its header (an emulator's track length, or a plausible header as most real images
  // have), and whatever is neither is taken for JV3, whose header test runs on every drawing of
  // the page.
  dmkflag = 0;
  jv1 = jv1::HasBootSignature(in) ? 1 : 0;
  if (jv1 == 1) {
    ShowSecPage();
    return;
  }

  const dmk::Header header = dmk::ReadHeader(in);
  trkindex = header.trackLength;
  if (header.EmulatorLength() || header.Plausible(fileend)) {
    dmkflag = 1;
    damindx = DamIndex(header);
    if (header.realDrive) {
      pageable_ = false;
      p_.dialogs.MsgBox(RealDriveRefusal().Text(), "Error", MsgIcon::None);
      return;
    }
    filepsn = fpa = static_cast<double>(dmk::kHeaderBytes);
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

void form1::DrawJvKey(Twips h) {
  DrawKey(h, ml::kKeyDirDoubleJvColour, ml::kKeyDirDoubleJv);
}

void form1::BeginPage(double start, const char* format) {
  pagepsn[static_cast<std::size_t>(Pagenum)] = start;
  endflag = 0;
  Text1.text = format;
}

void form1::PrintTrackLabel(Twips line, int track, int side) {
  surface.SetPos(ml::kLabelX, line);
  surface.SetForeColor(ml::LabelColour(side));
  surface.Print(ml::TrackLabel(track, side), false);
}

void form1::DrawDmkPage(Twips h) {
  const ByteReader in = FileBytes(filebuf, fileend);
  const bool numeric = !Option2.value;

  BeginPage(fpa, "DMK");

  Twips line = ml::LineBase(h);
  Twips column = ml::kFirstColumnDmk;
  int prevTrack = 0;
  int prevSide = 250;  // no side byte holds it, so the first sector opens a line
  int imagesDrawn = 0;
  std::optional<std::uint8_t> lastMark;
  bool lastDoubleByte = false;

  auto track = static_cast<std::int64_t>(fpa);
  while (track < fileend) {
    const int count = PointerCount(in, track);
    for (int i = 0; i < count; ++i) {
      const dmk::Pointer pointer = *dmk::ReadPointer(in, track, i);
      const bool doubleDensity = pointer.DoubleDensity();
      const std::int64_t idam = track + pointer.Offset15();

      const auto doubled = DoubledIdField(in, idam);
      if (!doubled) continue;
      const bool doubleByte = *doubled;
      const int step = doubleByte ? 2 : 1;
      const auto trk = in.byte(idam + dmk::kIdTrack * step);
      const auto side = in.byte(idam + dmk::kIdSide * step);
      const auto sec = in.byte(idam + dmk::kIdSector * step);
      if (!trk || !side || !sec) continue;  // the ID field runs past the end of the file
      const auto mark = DataMarkAt(in, idam, damindx);
      if (!mark) continue;

      if (*trk != prevTrack || *side != prevSide) {
        column = ml::kFirstColumnDmk;
        line += ml::kLineStep;
        PrintTrackLabel(line, *trk, *side == 1 ? 1 : 0);
      }

      Rgb c = doubleDensity ? ml::kDouble : ml::kSingle;
      if (dmk::IsDirectoryMark(*mark)) c = doubleDensity ? ml::kDirDoubleDmk : ml::kDirSingle;
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
  if (lastMark) possible += HexText(*lastMark) + "h";
  DrawKey(h, ml::kDirDoubleDmk, possible);

  if (lastDoubleByte) {
    surface.SetPos(ml::kLabelX, ml::KeyNoteY(h));
    surface.SetForeColor(ml::kNote);
    surface.Print(ml::kDoubleByteNote, false);
  }
}

int form1::Jv1LastPage() const {
  return (jv1::Tracks(fileend) - 1) / kJv1TracksPerPage;
}

void form1::DrawJv1Page(Twips h) {
  endflag = 0;
  DrawJvKey(h);
  Text1.text = "JV1";

  const int tracks = jv1::Tracks(fileend);
  const int page = std::clamp(Pagenum, 0, Jv1LastPage());
  const int first = page * kJv1TracksPerPage;
  const int last = std::min(first + kJv1TracksPerPage, tracks) - 1;

  Twips line = ml::Jv1FirstLine(h);
  for (int t = first; t <= last; ++t) {
    surface.SetPos(ml::kLabelX, line);
    surface.SetForeColor(ml::kLabelSide0);
    surface.Print(ml::TrackLabel(t, 0), false);
    surface.SetForeColor(t == jv1::kDirectoryTrack ? ml::kDirSingle : ml::kSingle);
    for (int s = 0; s < jv1::kSectorsPerTrack; ++s) {
      surface.SetPos(ml::NumericColumn(ml::kFirstColumnJv, s), line);
      NoteDrawn(ml::NumberForm(s),
                (std::int64_t{t} * jv1::kSectorsPerTrack + s) * jv1::kSectorBytes, false);
      surface.Print(ml::NumberForm(s), false);
    }
    line += ml::kLineStep;
  }
}

void form1::DrawJv3Page(Twips h) {
  const ByteReader in = FileBytes(filebuf, fileend);
  const bool numeric = !Option2.value;

  // A JV3 table opens with the entries of one track: a file whose first four entries do not all
  // name the first one's track has no emulator header.
  if (!jv3::FirstEntriesAgree(in, 4)) {
    p_.dialogs.MsgBox(NoHeaderRefusal().Text(), "Error", MsgIcon::None);
    return;
  }

  BeginPage(filepsn, "JV3");
  DrawJvKey(h);

  Twips line = ml::LineBase(h);
  Twips column = ml::kFirstColumnJv;
  int prevTrack = 0;
  int prevSide = 200;  // no side flag holds it, so the first entry opens a line
  int lines = 0;

  auto at = static_cast<std::int64_t>(filepsn);
  for (;;) {
    const std::int64_t entry = at / jv3::kEntryBytes;
    const auto e = jv3::ReadEntry(in, at, 0);
    // The table ends at a free entry, after its 2901st entry, or with the file.
    if (entry >= jv3::kEntries || !e || e->Free()) {
      endflag = 1;
      break;
    }
    const int sideFlag = e->flags & jv3::kSide1;
    if (e->track != prevTrack || sideFlag != prevSide) {
      column = ml::kFirstColumnJv;
      line += ml::kLineStep;
      ++lines;
      if (lines == kJv3LinesPerPage + 1) break;  // this entry opens the next page
      PrintTrackLabel(line, e->track, e->Side1() ? 1 : 0);
    }

    const bool doubleDensity = e->DoubleDensity();
    const bool dir = e->DirectoryMark();
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
      surface.SetPos(ml::NumericColumn(ml::kFirstColumnJv, e->sector), line);
    } else {
      surface.SetPos(column, line);
      column += ml::kColumnStep;
    }
    NoteDrawn(ml::NumberForm(e->sector), at, true);
    surface.Print(ml::NumberForm(e->sector), false);

    prevTrack = e->track;
    prevSide = sideFlag;
    at += jv3::kEntryBytes;
    secnum = static_cast<int>(at / jv3::kEntryBytes);
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
