#include "core/container/record_text.h"

#include <utility>

#include "core/text/number_text.h"

namespace m1 {

std::string SectorName(const SectorRecord& r) {
  return "track " + PlainText(r.track) + " side " + PlainText(r.side) + " sector " +
         PlainText(r.sector);
}

std::string CrcVerdict(const CrcCheck& c) {
  if (c.ok) return "ok";
  if (!c.written || !c.computed) return "bad";
  return "bad (written " + HexText(*c.written, 4) + ", computed " + HexText(*c.computed, 4) + ")";
}

std::string DensityText(bool doubleDensity) {
  return doubleDensity ? "double density" : "single density";
}

std::string HealthText(const SectorRecord& r) {
  std::string s;
  auto add = [&s](const std::string& part) { s += (s.empty() ? "" : ", ") + part; };
  if (r.idCrc) add("ID CRC " + CrcVerdict(*r.idCrc));
  if (r.Has(kRemarkNoDataMark)) {
    add("no data mark");
  } else if (r.dataCrc) {
    add("data CRC " + CrcVerdict(*r.dataCrc));
  } else if ((r.remarks & kRemarksCut) != 0) {
    add(r.idCrc || r.dataOffset ? "data field cut" : "ID field cut");
  }
  return s.empty() ? "no CRCs recorded" : s;
}

std::vector<std::string> RemarkTexts(const SectorRecord& r) {
  static constexpr std::pair<Remark, const char*> kTexts[] = {
      {kRemarkNoDataMark, "no data mark"},
      {kRemarkCutByTrack, "cut by the end of the track image"},
      {kRemarkCutByFile, "cut by the end of the file"},
      {kRemarkDuplicate, "duplicate"},
      {kRemarkTrackDiffers, "recorded track differs"},
      {kRemarkNotIndexed, "not in the main window's index"},
      {kRemarkNonIbm, "non-IBM sector"},
      {kRemarkNoIdMark, "no ID address mark"},
      {kRemarkPastHeader, "past the header's track count"},
  };
  std::vector<std::string> texts;
  for (const auto& [bit, text] : kTexts) {
    if (r.Has(bit)) texts.emplace_back(text);
  }
  return texts;
}

}  // namespace m1
