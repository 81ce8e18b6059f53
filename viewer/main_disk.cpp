#include "viewer/main_disk.h"

#include <span>

namespace m1 {

void ShowRecord(DiskViews& views, const SectorRecord& record) {
  if (record.dataOffset && views.ShowSector(*record.dataOffset)) return;
  if (const auto at = record.idOffset ? record.idOffset : record.dataOffset) views.ShowBytes(*at);
}

const DiskFacts& MainDisk::Facts() {
  if (readFor_ != main_.imagesAnalysed) {
    const DiskImage& img = main_.img;
    // The health window shows which records the main window's index does not reach.
    facts_ = DiskFacts::Read(std::span<const std::uint8_t>(img.filebuf.data(), img.DataSize()),
                             {.indexReach = true});
    readFor_ = main_.imagesAnalysed;
  }
  return *facts_;
}

std::optional<std::size_t> MainDisk::PresentRecord() {
  const std::optional<std::int64_t> at = main_.PresentDataOffset();
  if (!at) return std::nullopt;
  return Facts().RecordWithData(*at);
}

StatusParts MainDisk::Status() {
  if (main_.img.openflag != 1 || main_.imagesAnalysed == 0) return {};
  if (const auto record = PresentRecord()) return Facts().Status(*record);
  if (main_.PresentDataOffset()) return {{}, "no sector record of the image starts here", {}};
  return {};
}

}  // namespace m1
