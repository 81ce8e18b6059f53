#include "hexview/form2.h"

#include <algorithm>
#include <span>

#include "core/container/jv3_format.h"
#include "core/design/analysis.h"
#include "core/text/hex_dump.h"
#include "core/text/number_text.h"
#include "hexview/layout.h"

namespace m1 {

namespace {

constexpr const char* kDoubleByteNote = "These Sectors are Model 1 Double Byte sectors";
constexpr std::size_t kNoteWidth = 41;  // the note box is blanked with as many spaces

// The zero bytes after the file: the last page may run up to 192 bytes past its end.
constexpr std::size_t kZeroTail = 1001;

constexpr Rgb kFilenameBackground = colour::kPeach;
constexpr Rgb kPinkBackground = colour::kPink;

// A large change of the scroll bar moves one page of 28 lines.
constexpr int kPageSteps = hexlayout::kLinesPerPage;

}  // namespace

form2::form2(Platform& platform)
    : surface(platform.metrics, hexview::colour::kWindowBackground), p_(platform) {
  TxtFilename.bg = kFilenameBackground;
  Text1.bg = kPinkBackground;
  for (TextBox* box : {&Text2, &Text3, &Text4, &Text5, &Text6, &Text7}) {
    box->bg = hexview::colour::kWindowBackground;
  }
  Text8.bg = kPinkBackground;
  VScroll1.min = 0;
  VScroll1.max = 0;
  VScroll1.smallChange = 1;
  VScroll1.largeChange = kPageSteps;
}

void form2::Form_Load() {
  p_.host.ChangeToProgramFolder();
}

void form2::Form_Activate() {
  if (busy_ || skipActivation_) return;
  // Only the first hand-over from the main window is taken up; later files come from the menu.
  if (p_.module.SharedFilename.empty() || openflag != 0) return;
  busy_ = true;
  if (!Load(p_.module.SharedFilename, LoadPath::Activation)) AfterModalBox();
  busy_ = false;
}

void form2::Form_Deactivate() {
  if (!busy_) skipActivation_ = false;
}

void form2::AfterModalBox() {
  p_.host.DoEvents();
  skipActivation_ = true;
}

void form2::Form_Resize() {
  if (openflag != 1) return;
  fpa = fpasave2;
  ShowHexPage();
}

void form2::mnuFileItem_Click(int index) {
  if (index == 1) {
    busy_ = true;
    if (auto chosen = p_.dialogs.ShowOpen(kImageFilesFilter, 2)) {
      CMDialog1_Filename = *chosen;
      Load(CMDialog1_Filename, LoadPath::Menu);
    }
    AfterModalBox();
    busy_ = false;
  } else if (index == 4) {
    p_.host.EndProgram();
  }
}

void form2::OpenChosen(const std::string& path) {
  busy_ = true;
  CMDialog1_Filename = path;
  Load(CMDialog1_Filename, LoadPath::Menu);
  AfterModalBox();
  busy_ = false;
}

std::string form2::CopyText() const {
  if (openflag != 1) return {};
  const std::int64_t start = fpasave2;
  const std::int64_t end = std::min<std::int64_t>(start + hexlayout::kBytesPerPage, fileend);
  std::vector<DumpByte> bytes;
  for (std::int64_t at = start; at < end; ++at)
    bytes.emplace_back(filebuf[static_cast<std::size_t>(at)]);
  return HexDumpText(static_cast<std::uint64_t>(start), bytes);
}

std::string form2::HoverText(Twips x, Twips y) {
  using namespace hexlayout;
  if (openflag != 1) return {};
  const Twips lineWidth = surface.TextWidth(std::string(kLineColumns, '0'));
  const std::optional<int> index = ByteAtPoint(x, y, lineWidth, surface.TextHeight("sample"));
  if (!index) return {};
  const std::int64_t offset = std::int64_t{fpasave2} + *index;
  if (!facts_) {
    const auto size = static_cast<std::size_t>(
        std::clamp<std::int64_t>(fileend, 0, static_cast<std::int64_t>(filebuf.size())));
    facts_ = DiskFacts::Read(std::span<const std::uint8_t>(filebuf.data(), size));
  }
  return HexText(static_cast<std::uint64_t>(offset), 7) + ": " + facts_->Explain(offset);
}

void form2::Form_QueryUnload(int& /*cancel*/, int unloadMode) {
  DoUnLoadPreCheck(unloadMode);
}

void form2::DoUnLoadPreCheck(int unloadMode) {
  m1::DoUnLoadPreCheck(p_, unloadMode);
}

bool form2::OpenFile(const std::string& path) {
  return m1::OpenFile(p_, path);
}

bool form2::Load(const std::string& path, LoadPath how) {
  Filename = path;
  if (!OpenFile(path)) return false;
  const std::int64_t length = p_.files.Length();
  if (length > kMaxImageBytes) {
    // Refused before a byte is read: nothing of the window changes.
    p_.dialogs.MsgBox(TooLargeRefusal().Text(), "Error", MsgIcon::None);
    p_.files.CloseAll();
    return false;
  }
  std::vector<std::uint8_t> bytes;
  if (!p_.files.ReadAll(bytes, kZeroTail)) {
    ReportOpenFailure(p_);
    return false;
  }
  bytes.resize(std::max(bytes.size(), static_cast<std::size_t>(length) + kZeroTail), 0);

  TxtFilename.text = Filename;
  openflag = 1;
  fileend = static_cast<std::int32_t>(length);
  facts_.reset();  // they read the buffer about to go
  filebuf = std::move(bytes);
  // The file stays open after a hand-over from the main window until the next open closes it.
  if (how == LoadPath::Menu) p_.files.CloseAll();
  Text1.text = HexText(static_cast<std::uint64_t>(fileend));

  fpa = 0;
  if (how == LoadPath::Activation) stepval = 0;
  SetScrollValue(0);
  VScroll1.max = static_cast<int>(hexlayout::ScrollMax(fileend));
  VScroll1.smallChange = 1;
  VScroll1.largeChange = kPageSteps;

  fpa = 0;
  if (how == LoadPath::Menu) clrsave = 0;
  ShowHexPage();
  return true;
}

void form2::SetScrollValue(int value) {
  if (VScroll1.value == value) return;
  VScroll1.value = value;
  VScroll1_Change(value);
}

void form2::VScroll1_Change(int value) {
  VScroll1.value = value;
  stepval = value;
  if (fileend < 256) return;  // the only page is the one at 0
  const std::int64_t limit = hexlayout::ScrollMax(fileend);
  if (value < 0 || value > limit) {
    // Pulled back to the last page (or the first); the new position draws through its own
    // notification.
    SetScrollValue(value < 0 ? 0 : static_cast<int>(limit));
    return;
  }
  fpa = 16.0 * value;
  ShowHexPage();
}

void form2::ShowHexPage() {
  using namespace hexlayout;
  const ByteReader buf(filebuf);
  const std::int64_t start = std::max<std::int64_t>(0, static_cast<std::int64_t>(fpa));
  fpasave2 = static_cast<std::int32_t>(start);
  fpasave = static_cast<std::int32_t>(start);

  const hexview::Format format = hexview::RecogniseFormat(buf, fileend);
  trklength = format.trklength;
  hexview::CarriedState state{idamflag, doublebyte, fpasave1, fpasave, clrsave};
  hexview::DrawFlags flags;

  surface.Cls();
  const Twips h = surface.TextHeight("sample");
  surface.SetY(FirstLineY(h));
  std::string text;
  for (int line = 0; line < kLinesPerPage; ++line) {
    const std::int64_t a = start + std::int64_t{kBytesPerLine} * line;
    surface.SetX(kLeft);
    surface.SetForeColor(hexview::colour::kAddressBrown);
    surface.Print(" " + HexText(static_cast<std::uint64_t>(a), 7) + "  ", false);

    for (int i = 0; i < kBytesPerLine; ++i) {
      const std::int64_t p = a + i;
      const std::uint8_t b = buf.byte(p).value_or(0);
      surface.SetForeColor(hexview::ClassifyHex(buf, p, fileend, format, state, flags));
      text = TwoDigitHex(b);
      text += ByteSeparator(i);
      if (i == kBytesPerLine - 1) text += ' ';  // the space before the character column
      surface.Print(text, false);
    }
    for (int i = 0; i < kBytesPerLine; ++i) {
      const std::uint8_t b = buf.byte(a + i).value_or(0);
      surface.SetForeColor(hexview::ClassifyChar(b, format));
      surface.Print(std::string(1, PrintableChar(b)), false);
    }
    surface.Print("", true);
  }

  idamflag = state.idamflag;
  doublebyte = state.doublebyte;
  fpasave1 = state.fpasave1;
  fpasave = state.fpasave;
  clrsave = state.clrsave;
  fpa = static_cast<double>(start + kBytesPerPage);

  ShowLegend(format, start + kBytesPerPage - 1, flags.doubleNote);
}

void form2::ShowLegend(const hexview::Format& format, std::int64_t lastPosition, bool doubleNote) {
  namespace c = hexview::colour;
  auto set = [](TextBox& box, const char* text) { box.text = text; };
  auto setColoured = [](TextBox& box, const char* text, Rgb fg) {
    box.text = text;
    box.fg = fg;
  };
  auto structureBackground = [this] {
    for (TextBox* box : {&Text3, &Text4, &Text5, &Text6}) box->bg = c::kWindowBackground;
  };

  if (format.jv3 && lastPosition < jv3::kDataStart) {  // the page shows sector headers
    set(Text2, "JV3");
    setColoured(Text3, " Track", c::kRed);
    set(Text4, "");
    setColoured(Text5, "Sector", c::kBlue);
    setColoured(Text6, "Side/Dens/DAM ", c::kFlagGreen);
    set(Text7, "");
    structureBackground();
  } else if (format.jv3) {
    set(Text2, "JV3");
    set(Text3, "");
    set(Text4, "Tracks in Red or Black");
    set(Text5, "");
    set(Text6, "");
    set(Text7, "");
    structureBackground();
  } else if (format.dmk && !format.realDisk) {
    set(Text2, "DMK");
    setColoured(Text3, "IDAM:FE", c::kBlue);
    setColoured(Text4, "Track Header in Green", c::kLegendGreen);
    setColoured(Text5, "Track", c::kBlue);
    setColoured(Text6, "Side", c::kBlue);
    setColoured(Text7, "Sector", c::kBlue);
    structureBackground();
  } else if (format.dmk) {
    set(Text2, "");
    set(Text3, " DMK Real Disk type");
    set(Text4, "");
    set(Text5, "");
    set(Text6, "");
    set(Text7, "");
  } else if (format.jv1) {
    set(Text2, "JV1");
    set(Text3, "");
    set(Text4, "Tracks in Red or Black");
    set(Text5, "");
    set(Text6, "");
    set(Text7, "");
  } else {
    for (TextBox* box : {&Text2, &Text3, &Text4, &Text5, &Text6, &Text7}) box->text.clear();
  }
  Text8.text = doubleNote ? std::string(kDoubleByteNote) : std::string(kNoteWidth, ' ');
}

}  // namespace m1
