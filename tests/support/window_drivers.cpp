#include "tests/support/window_drivers.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <utility>

#include "core/design/sector.h"
#include "hexview/form2.h"
#include "hexview/layout.h"
#include "platform/platform.h"
#include "platform/surface.h"
#include "sectormap/form1.h"
#include "viewer/layout.h"
#include "viewer/mainform.h"

namespace m1::fuzzing {

bool MemoryFiles::ReadAll(std::vector<std::uint8_t>& out, std::size_t tail) {
  out.clear();
  if (!open_) return false;
  ++opens;
  out.reserve(bytes_.size() + tail);
  out.assign(bytes_.begin(), bytes_.end());
  out.resize(bytes_.size() + tail, 0);
  return true;
}

namespace {

// The three windows share one recording platform over the given files, as the program does.
using Rig = RecordingPlatform;

constexpr Twips kLine = FixedMetrics::kLineHeight;
constexpr Twips kChar = FixedMetrics::kCharWidth;

// The texts drawn at each place since the last clear (or the last fill of the given area), the
// latest print at a place winning.
using Placed = std::map<std::pair<Twips, Twips>, std::string>;

std::optional<int> HexPair(const std::string& text) {
  if (text.size() < 2) return std::nullopt;
  int v = 0;
  for (int i = 0; i < 2; ++i) {
    const char c = text[static_cast<std::size_t>(i)];
    v *= 16;
    if (c >= '0' && c <= '9')
      v += c - '0';
    else if (c >= 'A' && c <= 'F')
      v += c - 'A' + 10;
    else
      return std::nullopt;
  }
  return v;
}

// The character a dump shows for a byte: itself from '!' to 127, a dot for everything else.
char Shown(std::uint8_t b) {
  return b >= 33 && b <= 127 ? static_cast<char>(b) : '.';
}

std::string Where(std::int64_t offset) {
  return " (file offset " + std::to_string(offset) + ")";
}

// ---- Main window ----------------------------------------------------------------------------

// Checks the 16 x 16 dump the main window printed last. Returns false when the log holds no dump.
bool CheckMainDump(const Mainform& m, const std::vector<DrawOp>& log,
                   std::span<const std::uint8_t> bytes, std::vector<std::string>& faults) {
  namespace ml = mainlayout;
  // The dump starts after the last fill of the dump area.
  std::optional<std::size_t> from;
  for (std::size_t i = log.size(); i-- > 0;) {
    const DrawOp& op = log[i];
    if (op.kind == DrawOp::Kind::Fill && op.x == ml::kDumpLeft && op.y == ml::kDumpTop) {
      from = i + 1;
      break;
    }
  }
  if (!from) return false;
  Placed placed;
  for (std::size_t i = *from; i < log.size(); ++i) {
    if (log[i].kind == DrawOp::Kind::Text) placed[{log[i].x, log[i].y}] = log[i].text;
  }
  const int step = DataByteStep(m.img);
  if (step != 1 && step != 2) {
    faults.push_back("main: data byte step " + std::to_string(step));
    return true;
  }
  if (!std::isfinite(m.img.fpa)) {
    faults.push_back("main: file position is not a number");
    return true;
  }
  // After the dump the position stands one sector (256 data bytes) past its first byte.
  const auto start = static_cast<std::int64_t>(m.img.fpa) - 256 * step;
  const auto size = static_cast<std::int64_t>(bytes.size());
  const bool whole = m.img.DataSize() == bytes.size();
  for (int r = 0; r < ml::kDumpRows; ++r) {
    const Twips y = ml::kDumpTop + kLine * r;
    for (int c = 1; c <= ml::kBytesPerRow; ++c) {
      const std::int64_t at = start + std::int64_t{step} * (r * 16 + c - 1);
      const std::string cell =
          "main: dump row " + std::to_string(r + 1) + " byte " + std::to_string(c) + Where(at);
      const auto hex = placed.find({ml::HexColumn(c), y});
      const auto chr = placed.find({ml::CharColumn(c), y});
      if (hex == placed.end() || chr == placed.end()) {
        faults.push_back(cell + ": not printed");
        continue;
      }
      const bool inside = at >= 0 && at < size;
      if (hex->second == "--") {
        if (inside && whole) faults.push_back(cell + ": shown missing although the file holds it");
        if (chr->second != " ") faults.push_back(cell + ": character '" + chr->second + "' for --");
        continue;
      }
      const auto value = HexPair(hex->second);
      if (!value || hex->second.size() != 2) {
        faults.push_back(cell + ": hex item '" + hex->second + "'");
        continue;
      }
      if (!inside) {
        faults.push_back(cell + ": shows " + hex->second + " from outside the file");
        continue;
      }
      const std::uint8_t b = bytes[static_cast<std::size_t>(at)];
      if (*value != b)
        faults.push_back(cell + ": shows " + hex->second + ", the file holds " + std::to_string(b));
      if (chr->second != std::string(1, Shown(b))) {
        faults.push_back(cell + ": character '" + chr->second + "'");
      }
    }
  }
  return true;
}

// ---- Hex editor window ----------------------------------------------------------------------

bool CheckHexPage(const form2& f, const std::vector<DrawOp>& log,
                  std::span<const std::uint8_t> bytes, std::vector<std::string>& faults) {
  namespace hl = hexlayout;
  std::size_t from = log.size();
  for (std::size_t i = log.size(); i-- > 0;) {
    if (log[i].kind == DrawOp::Kind::Clear) {
      from = i + 1;
      break;
    }
  }
  if (from == log.size()) return false;
  Placed placed;
  for (std::size_t i = from; i < log.size(); ++i) {
    if (log[i].kind == DrawOp::Kind::Text) placed[{log[i].x, log[i].y}] = log[i].text;
  }
  const auto size = static_cast<std::int64_t>(bytes.size());
  if (f.fileend != size) {
    faults.push_back("hex: fileend " + std::to_string(f.fileend) + " for a file of " +
                     std::to_string(size) + " bytes");
  }
  std::int64_t start = -1;
  for (int line = 0; line < hl::kLinesPerPage; ++line) {
    const Twips y = hl::FirstLineY(kLine) + kLine * line;
    const auto offset = placed.find({hl::kLeft, y});
    if (offset == placed.end()) {
      faults.push_back("hex: line " + std::to_string(line) + " has no offset");
      return true;
    }
    std::int64_t a = -1;
    try {
      a = std::stoll(offset->second, nullptr, 16);
    } catch (...) {
      faults.push_back("hex: offset item '" + offset->second + "'");
      return true;
    }
    if (line == 0) {
      start = a;
      // Pages never start past the last page the scroll bar reaches.
      const std::int64_t last = 16 * hl::ScrollMax(size);
      if (start < 0 || start > last) {
        faults.push_back("hex: page at " + std::to_string(start) + " past the last page at " +
                         std::to_string(last));
      }
    } else if (a != start + 16 * line) {
      faults.push_back("hex: line " + std::to_string(line) + " at offset " + std::to_string(a));
    }
    for (int i = 0; i < hl::kBytesPerLine; ++i) {
      const std::int64_t p = a + i;
      // Past the end of the file the last page shows the zero bytes that follow the buffer.
      const std::uint8_t b = p >= 0 && p < size ? bytes[static_cast<std::size_t>(p)] : 0;
      const auto hex = placed.find({hl::ColumnX(hl::HexColumn(i), kChar), y});
      const auto chr = placed.find({hl::ColumnX(hl::CharColumn(i), kChar), y});
      const std::string cell = "hex: byte" + Where(p);
      if (hex == placed.end() || chr == placed.end()) {
        faults.push_back(cell + ": not printed");
        continue;
      }
      const auto value = HexPair(hex->second);
      if (!value || *value != b) faults.push_back(cell + ": shows '" + hex->second + "'");
      if (chr->second != std::string(1, Shown(b))) {
        faults.push_back(cell + ": character '" + chr->second + "'");
      }
    }
  }
  return true;
}

// ---- Sector map window ----------------------------------------------------------------------

bool CheckMapPage(const form1& f, const std::vector<DrawOp>& log,
                  std::span<const std::uint8_t> bytes, bool refused,
                  std::vector<std::string>& faults) {
  if (f.Pagenum < 0 || f.Pagenum > 20) {
    faults.push_back("map: page number " + std::to_string(f.Pagenum));
  }
  if (!std::isfinite(f.fpa) || !std::isfinite(f.filepsn) || f.fpa < 0 || f.filepsn < 0) {
    faults.push_back("map: file position out of the file");
  }
  for (double p : f.pagepsn) {
    if (!std::isfinite(p) || p < 0) faults.push_back("map: page start " + std::to_string(p));
  }
  std::size_t texts = 0;
  for (const DrawOp& op : log) {
    if (op.kind == DrawOp::Kind::Text) ++texts;
  }
  if (texts == 0) return false;
  if (refused) {
    faults.push_back("map: drew " + std::to_string(texts) + " texts after refusing the file");
  }
  // Each sector number on a page comes from at least one byte of the file; a page adds at most
  // one label per line and its key.
  if (texts > bytes.size() + 21 + 16) {
    faults.push_back("map: a page of " + std::to_string(texts) + " texts from a file of " +
                     std::to_string(bytes.size()) + " bytes");
  }
  return true;
}

void Collect(RecordingDialogs& dialogs, DriveReport& report) {
  for (RecordedMessage& m : dialogs.TakeMessages()) report.messages.push_back(std::move(m));
}

// The end of a drive: the boxes not yet taken go into the report, and the files the window left
// open are closed.
DriveReport Finish(RecordingDialogs& dialogs, Files& files, DriveReport& report) {
  Collect(dialogs, report);
  files.CloseAll();
  return std::move(report);
}

// The check after each command: what the window drew since the last check, held to the file's
// bytes; a check that found a drawing counts it.
template <class Form, class CheckPage>
auto Checker(Form& f, CheckPage checkPage, std::span<const std::uint8_t> bytes,
             DriveReport& report) {
  return [&f, checkPage, bytes, &report] {
    if (checkPage(f, f.surface.TakeLog(), bytes, report.faults)) ++report.drawings;
  };
}

}  // namespace

DriveReport DriveMain(Files& files, const std::string& path, std::span<const std::uint8_t> bytes,
                      const Effort& effort) {
  DriveReport report;
  Rig rig(files);
  Mainform m(rig.platform);
  const auto check = Checker(m, CheckMainDump, bytes, report);
  m.Form_Load();
  m.Form_Activate();
  rig.dialogs.answers.push_back(path);
  m.mnuFileItem_Click(1);
  check();

  // Every command, whatever the outcome of the open: after a refusal none may draw.
  const int total = m.img.Totalsecs;
  const int steps = std::clamp(std::min(total, effort.sectors), 0, 5000);
  for (int i = 1; i < steps; ++i) {
    m.CmndNextsec_Click();
    check();
  }
  for (int i = 0; i < 2; ++i) {  // stays on the last sector
    m.CmndNextsec_Click();
    check();
  }
  if (m.img.openflag == 1 && !m.Refused() && total > steps) {
    // The rest of a long disk: a spread of indexes up to the last.
    const int spread = std::max(effort.spread, 1);
    for (int k = 0; k <= spread; ++k) {
      m.img.PresSecnum = steps + static_cast<double>(total - 1 - steps) * k / spread;
      m.img.PresSecnum = std::floor(m.img.PresSecnum);
      m.GetDispSector();
      check();
    }
  }
  if (m.img.openflag == 1 && !m.Refused()) {
    // Sector indexes no command reaches: before the first, past the last, past the tables.
    for (double index : {-1.0, static_cast<double>(total), total + 1.0, 4000.0, 4001.0, 32767.0}) {
      if (!effort.thorough && index != total + 1.0 && index != 4001.0) continue;  // a light drive
      m.img.PresSecnum = index;
      m.GetDispSector();
      check();
    }
    m.img.PresSecnum = 0;
    m.GetDispSector();
    check();
  }
  const int trackSteps = std::clamp(std::min(m.img.tracks + 2, effort.trackSteps), 1, 300);
  for (int i = 0; i < trackSteps; ++i) {
    m.CmndNexTrack_Click();
    check();
  }
  for (int i = 0; i < trackSteps; ++i) {
    m.CmndPrevTrk_Click();
    check();
  }
  for (const std::string& text :
       {std::string("0"), std::string("1"), std::to_string(m.img.tracks - 1),
        std::to_string(m.img.tracks), std::string("80"), std::string("255"), std::string("32767"),
        std::string("99999"), std::string("-1"), std::string(""), std::string("x"),
        std::string(" 3")}) {
    if (!effort.thorough && text != "1" && text != "99999" && text != "x") continue;
    m.Combo1_Change(text);
    m.CmndGotoTrk_Click();
    check();
  }
  m.CmndDirFind_Click();
  check();
  for (int i = 0; i < 3; ++i) {
    m.CmndPrevsec_Click();
    check();
  }
  m.Form_Resize();
  check();
  m.Form_Activate();
  check();
  return Finish(rig.dialogs, files, report);
}

DriveReport DriveMap(Files& files, const std::string& path, std::span<const std::uint8_t> bytes,
                     const Effort& effort) {
  DriveReport report;
  Rig rig(files);
  form1 f(rig.platform);
  bool refused = false;
  const auto check = [&] {
    // A box of this window shown since the last check that refuses the file.
    for (const RecordedMessage& msg : rig.dialogs.messages) {
      if (msg.title == "Error" && msg.text.find("EMULATOR") == std::string::npos) refused = true;
    }
    Collect(rig.dialogs, report);
    if (CheckMapPage(f, f.surface.TakeLog(), bytes, refused, report.faults)) ++report.drawings;
  };
  f.Form_Load();
  rig.module.SharedFilename = path;
  f.Form_Activate();
  check();
  for (int order = 0; order < 2; ++order) {
    if (order == 0)
      f.Option1_Click();
    else
      f.Option2_Click();
    check();
    for (int i = 0; i < effort.mapSteps; ++i) {
      f.Cmndnext_Click();
      check();
    }
    for (int i = 0; i < effort.mapSteps; ++i) {
      f.Cmndprev_Click();
      check();
    }
    f.Form_Resize();
    check();
  }
  // Opened once more through its own File menu, and paged again.
  refused = false;
  rig.dialogs.answers.push_back(path);
  f.mnuFileItem_Click(1);
  check();
  for (int i = 0; i < 3; ++i) {
    f.Cmndnext_Click();
    check();
  }
  f.Form_Activate();
  check();
  files.CloseAll();
  return report;
}

DriveReport DriveHex(Files& files, const std::string& path, std::span<const std::uint8_t> bytes,
                     const Effort& effort) {
  Rig rig(files);
  form2 f(rig.platform);
  DriveReport report;
  const auto check = Checker(f, CheckHexPage, bytes, report);
  f.Form_Load();
  rig.module.SharedFilename = path;
  f.Form_Activate();
  check();
  const auto pages = [&] {
    const int max = f.VScroll1.max;
    for (int v : {0, 1, max / 2, max - 1, max, max + 1, max + 28, 32767, 0x7FFFFFFF, -1, 0}) {
      // A light drive takes the middle page and one past the last (which draws the last).
      if (!effort.thorough && v != max / 2 && v != max + 1) continue;
      f.VScroll1_Change(v);
      check();
    }
    f.Form_Resize();
    check();
  };
  pages();
  if (!effort.thorough) {
    return Finish(rig.dialogs, files, report);
  }
  f.Form_Deactivate();
  rig.dialogs.answers.push_back(path);
  f.mnuFileItem_Click(1);
  check();
  pages();
  return Finish(rig.dialogs, files, report);
}

DriveReport DriveMain(std::span<const std::uint8_t> bytes, const Effort& effort) {
  MemoryFiles files(kMemoryPath, bytes);
  return DriveMain(files, kMemoryPath, bytes, effort);
}

DriveReport DriveMap(std::span<const std::uint8_t> bytes, const Effort& effort) {
  MemoryFiles files(kMemoryPath, bytes);
  return DriveMap(files, kMemoryPath, bytes, effort);
}

DriveReport DriveHex(std::span<const std::uint8_t> bytes, const Effort& effort) {
  MemoryFiles files(kMemoryPath, bytes);
  return DriveHex(files, kMemoryPath, bytes, effort);
}

std::vector<std::string> DriveAll(std::span<const std::uint8_t> bytes, const Effort& effort) {
  std::vector<std::string> faults;
  for (DriveReport r : {DriveMain(bytes, effort), DriveMap(bytes, effort), DriveHex(bytes, effort),
                        DriveDisk(bytes, effort)}) {
    faults.insert(faults.end(), r.faults.begin(), r.faults.end());
  }
  return faults;
}

}  // namespace m1::fuzzing
