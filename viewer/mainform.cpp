#include "viewer/mainform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/container/byte_reader.h"
#include "core/design/analysis.h"
#include "core/design/sector.h"
#include "viewer/layout.h"
#include "viewer/texts.h"

namespace m1 {

namespace {

namespace ml = mainlayout;

// Start backgrounds of the boxes.
constexpr Rgb kPeach = colour::kPeach;            // file boxes, notes, lump
constexpr Rgb kLightPeach = colour::kLightPeach;  // geometry boxes, side, kind, mark, index
constexpr Rgb kLavender = colour::kLavender;      // track list and track box
constexpr Rgb kMint{192, 255, 192};               // sector number
constexpr Rgb kOlive{192, 192, 0};                // sectors on the track, density
constexpr Rgb kPink = colour::kPink;              // file offset

// Colours the display gives.
constexpr Rgb kGreenText{0, 160, 0};
constexpr Rgb kBrown = colour::kBrown;  // "Newdos/80" and the row headers
constexpr Rgb kSideOne{80, 179, 255};
constexpr Rgb kDirectory{255, 128, 128};  // directory sector; also the DMK format box
constexpr Rgb kJv3Green{0, 255, 0};
constexpr Rgb kSingleDensity{160, 255, 0};
constexpr Rgb kDoubleDensity{255, 128, 0};

constexpr const char* kNoDirectory = "No Directory was found on this disk";
constexpr const char* kBanner = " ***********  No Directory was found on this disk ***********";
constexpr const char* kFirstSectorOneNote = "This files Track Sectors start at 1";

// A whole number held in a double, as the display writes it.
long long Whole(double v) {
  if (!std::isfinite(v)) return 0;
  if (v > 9.0e18) return 0;
  if (v < -9.0e18) return 0;
  return static_cast<long long>(v);
}

// The colour of the hex item of byte c (1..16) in an entry row of a directory sector: odd rows
// hold entry bytes 0..15, even rows bytes 16..31; a is the entry's attribute byte.
Rgb EntryColour(bool evenRow, int c, int b, int a) {
  Rgb colour = colour::kBlack;
  if (evenRow && c >= 7 && b != 0xFF) colour = a == 0x90 ? colour::kMagenta : colour::kRed;
  if (evenRow && (c == 5 || c == 6) && a != 0x90) colour = colour::kBlue;
  if (!evenRow && c == 1 && b != 0) colour = kJv3Green;
  return colour;
}

}  // namespace

Mainform::Mainform(Platform& platform)
    : surface(platform.metrics, colour::kButtonFace), p_(platform) {
  Txtfiletype.bg = kPeach;
  TxtFilename.bg = kPeach;
  for (TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text5}) box->bg = kLightPeach;
  Txttrk.bg = kLavender;
  txtside.bg = kLightPeach;
  Txtsector.bg = kMint;
  Txttrkspt.bg = kOlive;
  TxtDens.bg = kOlive;
  Txtsectype.bg = kLightPeach;
  Txtdam.bg = kLightPeach;
  Txtsecnum.bg = kLightPeach;
  Txtlumpnum.bg = kPeach;
  Text6.bg = kPink;
}

void Mainform::Form_Load() {
  p_.host.ChangeToProgramFolder();
}

void Mainform::Form_Activate() {
  Redraw();
}

void Mainform::Form_Resize() {
  Redraw();
}

void Mainform::Redraw() {
  if (img.openflag == 1 && !refused_) GetDispSector();
}

void Mainform::mnuFileItem_Click(int index) {
  if (index == 1) OpenCommand();
  if (index == 4) p_.host.EndProgram();
}

void Mainform::OpenCommand() {
  const std::optional<std::string> chosen = p_.dialogs.ShowOpen(kOpenFilter, 2);
  if (!chosen) return;  // Cancel leaves everything as it was
  OpenChosen(*chosen);
}

void Mainform::OpenChosen(const std::string& path) {
  CMDialog1_Filename = path;
  img.Filename = CMDialog1_Filename;
  if (!OpenFile(img.Filename)) return;
  TxtFilename.text = img.Filename;
  img.openflag = 1;
  AnalyseImage();
}

bool Mainform::OpenFile(const std::string& path) {
  return m1::OpenFile(p_, path);
}

std::string Mainform::CopyText() const {
  return HexDumpText(0, shownDump_);
}

void Mainform::Cmndhexedit_Click() {
  p_.module.SharedFilename = img.Filename;
  p_.host.ShowForm(FormId::Hex);
}

void Mainform::Cmndsecdisp_Click() {
  p_.module.SharedFilename = img.Filename;
  p_.host.ShowForm(FormId::Map);
}

void Mainform::Form_QueryUnload(int& /*cancel*/, int unloadMode) {
  DoUnLoadPreCheck(unloadMode);
}

void Mainform::DoUnLoadPreCheck(int unloadMode) {
  m1::DoUnLoadPreCheck(p_, unloadMode);
}

void Mainform::AnalyseImage() {
  const std::int64_t length = p_.files.Length();
  m1::ReleaseImageBytes(img);
  std::vector<std::uint8_t> bytes;
  std::int64_t readLength = length;
  if (length <= kMaxImageBytes && !p_.files.ReadAll(bytes, 1)) {
    // A file that cannot be read holds nothing the analysis could use.
    bytes.clear();
    readLength = 0;
  }
  p_.files.CloseAll();
  ++imagesAnalysed;
  surface.Cls();
  shownDump_.clear();
  List2.Clear();

  AnalysisOutcome outcome = m1::AnalyseImage(img, std::move(bytes), readLength);
  for (std::string& item : outcome.trackList) Combo1.AddItem(std::move(item));
  if (outcome.note) {
    List2.Clear();
    List2.AddItem(*outcome.note);
  }
  if (outcome.text6Emptied) Text6.text.clear();
  if (outcome.refusal) {
    refused_ = true;
    p_.dialogs.MsgBox(outcome.refusal->Text(), "Error", MsgIcon::None);
    return;
  }
  refused_ = false;
  GetDispSector();
}

void Mainform::GetDispSector() {
  // The banner, until a directory is known.
  if (img.dirstartsecfnd == 0) {
    surface.SetPos(ml::kBannerX, ml::kBannerY);
    surface.SetForeColor(colour::kRed);
    surface.Print(kBanner, true);
    p_.host.DoEvents();
  }
  surface.SetForeColor(colour::kBlack);

  // The disk as a whole.
  img.sptab = "  Sec/Cyl. =" + SignedText(static_cast<long long>(img.sides) * img.spt) + " (" +
              SignedText(img.spt) + " *" + SignedText(img.sides) + ")";
  Text1.text = SignedText(img.tracks) + " Track";
  Text2.text = img.dd;
  Text2.fg = img.dd == " Single/Density" ? kGreenText : colour::kRed;
  Text3.text = img.sda;
  Text3.fg = img.sda == " Single/Sided" ? kGreenText : colour::kRed;
  Text4.text = img.sptab;
  Text5.text = img.spgaa;

  // Where the sector lies, and the Newdos/80 facts beside it.
  ResolvePosition(img);
  const bool isJv1 = img.jv1 == 1;
  if (isJv1) {
    Txtlumpnum.text.clear();
  } else {
    if (img.newdosflag == 1) {
      surface.SetPos(ml::kNewdosLabelX, ml::kNewdosLabelY);
      surface.SetForeColor(kBrown);
      surface.Print("Newdos/80", true);
    }
    Txtlumpnum.text.clear();
    if (img.newdosflag == 1) {
      surface.SetPos(ml::kBannerX, ml::kBannerY);
      surface.SetForeColor(colour::kBlue);
      surface.Print(img.pdrive, true);
      if (const std::optional<long> lump = Lump(img)) Txtlumpnum.text = PlainText(*lump);
    }
  }
  img.disktrk = img.TrkToFind;

  Txtsecnum.text = PlainText(Whole(img.PresSecnum));
  Txttrk.text = PlainText(img.TrkToFind);
  Txtsector.text = PlainText(img.SecToFind);
  txtside.text = PlainText(img.SideToFind);
  txtside.bg = img.SideToFind == 1 ? kSideOne : kLightPeach;
  Txttrkspt.text = isJv1 ? "10" : PlainText(img.trkspt.At(img.disktrk));
  Txtfiletype.text = img.Emtype;
  if (img.Emtype == "DMK") Txtfiletype.bg = kDirectory;
  if (img.Emtype == "JV3") Txtfiletype.bg = kJv3Green;
  if (img.Emtype == "JV1") Txtfiletype.bg = kPeach;

  // Offset, density and mark.
  ResolvePlace(img);
  if (img.dmkflag == 1) Text6.text = HexText(Whole(img.fpa));
  const bool doubleDensity = img.trkdens == 128;
  TxtDens.text = doubleDensity ? "D/D  " : "S/D  ";
  TxtDens.bg = doubleDensity ? kDoubleDensity : kSingleDensity;
  Txttrkspt.bg = TxtDens.bg;
  const std::string markText = HexText(img.dmkflag == 1 ? img.datamarkDmk : img.datamarkjv);

  // Directory or data sector; on disks numbering from sector 1 the fixed directory place decides.
  const bool directory = IsDirectorySector(img);
  if (img.firstsecnum == 1) {
    List2.Clear();
    List2.AddItem(kFirstSectorOneNote);
  }
  Txtsecnum.bg = directory ? kDirectory : kLightPeach;
  Txtsectype.text = directory ? "Dir Sec." : "Data Sec.";
  Txtsectype.bg = directory ? kDirectory : kLightPeach;
  Txtdam.text = markText;

  surface.Fill(ml::kDumpLeft, ml::kDumpTop, ml::kDumpRight, ml::kDumpBottom, colour::kButtonFace);
  Text6.text = HexText(Whole(img.fpa));
  PrintDump(directory);
}

void Mainform::PrintDump(bool directory) {
  const int step = DataByteStep(img);
  const bool colourEntries =
      directory && img.PresSecnum >= static_cast<double>(img.dirstartsec) + 2;
  // Bytes at or past the end of the file are shown as missing.
  const auto held =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(img.fileend, 0)), img.DataSize());
  const ByteReader file(std::span<const std::uint8_t>(img.filebuf.data(), held));
  const double end = static_cast<double>(held);
  int attribute = 0;
  shownDump_.clear();

  surface.SetY(ml::kDumpTop);
  for (int r = 1; r <= ml::kDumpRows; ++r) {
    const bool evenRow = r % 2 == 0;
    surface.SetX(ml::kRowHeaderX);
    surface.SetForeColor(kBrown);
    surface.Print("  " + TwoDigitHex((r - 1) * 16));
    for (int c = 1; c <= ml::kBytesPerRow; ++c) {
      const double at = img.fpa;
      img.fpa += step;
      std::optional<int> b;
      if (at >= 0 && at < end) b = file.byte(static_cast<std::int64_t>(at));
      shownDump_.push_back(b ? DumpByte(static_cast<std::uint8_t>(*b)) : std::nullopt);
      if (!evenRow && c == 1) attribute = b.value_or(0);

      Rgb hexColour = colour::kBlack;
      if (b && colourEntries && attribute != 0) hexColour = EntryColour(evenRow, c, *b, attribute);
      surface.SetX(ml::HexColumn(c));
      surface.SetForeColor(hexColour);
      surface.Print(b ? TwoDigitHex(*b) : "--");

      std::string shown = " ";
      if (b) shown = std::string(1, PrintableChar(static_cast<std::uint8_t>(*b)));
      surface.SetX(ml::CharColumn(c));
      surface.SetForeColor(colour::kBlack);
      surface.Print(shown);
    }
    surface.Print("", true);
  }
}

void Mainform::CmndNextsec_Click() {
  img.PresSecnum += 1;
  if (img.PresSecnum > img.Totalsecs - 1) {
    img.PresSecnum = img.Totalsecs - 1;
    return;
  }
  Redraw();
}

void Mainform::CmndPrevsec_Click() {
  img.PresSecnum -= 1;
  if (img.PresSecnum >= 0) {
    Redraw();
    return;
  }
  img.PresSecnum = 0;
}

void Mainform::ShowTrack() {
  img.PresSecnum = img.jv1 == 1 ? img.track * 10.0 : img.trkstart.At(img.track);
  Redraw();
}

void Mainform::CmndNexTrack_Click() {
  img.track = img.disktrk + 1;
  if (img.track > img.tracks - 1) {
    img.track = img.tracks - 1;
    return;
  }
  ShowTrack();
}

void Mainform::CmndPrevTrk_Click() {
  img.track = img.disktrk - 1;
  if (img.track < 0) {
    img.track = 0;
    return;
  }
  ShowTrack();
}

void Mainform::CmndGotoTrk_Click() {
  if (img.openflag != 1) return;
  const std::optional<int> wanted = TrackFromText(Combo1.text);
  if (!wanted) return;  // negative, or beyond a 16-bit number
  img.track = *wanted;
  if (img.track > img.tracks - 1) return;
  if (img.jv1 == 1) {
    img.PresSecnum = img.track * 10.0;
  } else {
    double first = 0;
    for (int t = 0; t < img.track; ++t) first += static_cast<double>(img.trkspt.At(t)) * img.sides;
    img.PresSecnum = first;
  }
  Redraw();
}

void Mainform::CmndDirFind_Click() {
  if (img.openflag == 0) return;
  if (img.dirstartsecfnd == 0) {
    p_.dialogs.MsgBox(kNoDirectory, "Error", MsgIcon::None);
    return;
  }
  img.PresSecnum = img.dirstartsec;
  Redraw();
}

}  // namespace m1
