#include "health/health_form.h"

#include <cstdint>
#include <optional>

#include "core/container/record_text.h"
#include "core/text/number_text.h"

namespace m1 {

namespace {

std::string CrcText(const std::optional<CrcCheck>& crc) {
  return crc ? CrcVerdict(*crc) : "-";  // "-": the container does not record it
}

// The data mark as the record holds it; "none" where a controller finds none, "-" where the
// container keeps no mark (JV1, whose sectors are bare data).
std::string DataMarkText(const SectorRecord& r) {
  if (r.dam) return HexText(*r.dam);
  return r.Has(kRemarkNoDataMark) ? "none" : "-";
}

std::string DensityColumn(const SectorRecord& r) {
  if (r.doubleDensity) return "double";
  return r.doubled ? "single, doubled" : "single";
}

// The offset a row shows and sorts by: the first data byte, or the ID address mark (JV3: the
// header entry) of a record without data.
std::optional<std::int64_t> ShownOffset(const SectorRecord& r) {
  return r.dataOffset ? r.dataOffset : r.idOffset;
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string out;
  for (const std::string& t : texts) out += (out.empty() ? "" : "; ") + t;
  return out;
}

// The value a numeric column sorts by; text columns sort by their text.
std::optional<std::int64_t> NumericKey(const SectorRecord& r, int column) {
  switch (column) {
    case HealthForm::kTrack:
      return r.track;
    case HealthForm::kSide:
      return r.side;
    case HealthForm::kSector:
      return r.sector;
    case HealthForm::kSize:
      return r.size;
    case HealthForm::kDataMark:
      return r.dam ? std::int64_t{*r.dam} : -1;
    case HealthForm::kOffset:
      return ShownOffset(r).value_or(-1);
    default:
      return std::nullopt;
  }
}

}  // namespace

void HealthForm::Load(const DiskFacts& facts, const std::string& filename) {
  caption = "Disk health - " + filename;
  records_ = facts.listing.records;
  const HealthSummary s = facts.listing.Summary();
  summary = std::to_string(s.records) + " records: " + std::to_string(s.good) + " good, " +
            std::to_string(s.idCrcBad) + " bad ID CRC, " + std::to_string(s.dataCrcBad) +
            " bad data CRC, " + std::to_string(s.noDataMark) + " no data mark, " +
            std::to_string(s.duplicates) + " duplicates";
  if (s.pastHeader > 0)
    summary += ", " + std::to_string(s.pastHeader) + " past the header's tracks";
  if (facts.listing.error) summary = *facts.listing.error;
  Rebuild();
}

void HealthForm::Row_DoubleClick(int row) {
  if (const Row* r = RowAt(rows, row)) ShowRecord(views_, records_[r->record]);
}

void HealthForm::Rebuild() {
  rows.clear();
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const SectorRecord& r = records_[i];
    const bool problem = IsProblem(r);
    if (problemsOnly && !problem) continue;
    const std::optional<std::int64_t> offset = ShownOffset(r);
    rows.push_back(
        {i,
         problem,
         {std::to_string(r.track), std::to_string(r.side), std::to_string(r.sector),
          std::to_string(r.size), DensityColumn(r), DataMarkText(r), CrcText(r.idCrc),
          CrcText(r.dataCrc), offset ? HexText(static_cast<unsigned long long>(*offset)) : "",
          Joined(RemarkTexts(r))}});
  }
  if (sortColumn < 0) return;
  SortRows(rows, sortColumn, ascending,
           [&](const Row& r) { return NumericKey(records_[r.record], sortColumn); });
}

}  // namespace m1
