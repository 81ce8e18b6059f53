#include "core/design/index_reach.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "core/container/jv1_format.h"
#include "core/design/analysis.h"
#include "core/design/disk_image.h"

namespace m1 {

// The main window's own analysis files the sectors under indexes; Next Sec reaches every index
// below Totalsecs, the track commands each track's first index, " To Directory" the directory
// start, and Prev Sec every index below any of those, so the reachable indexes are 0 up to the
// highest of them.
void MarkIndexReach(std::span<const std::uint8_t> bytes, Listing& listing) {
  auto img = std::make_unique<DiskImage>();
  const auto out = AnalyseImageView(*img, bytes);
  std::int64_t last = -1;
  if (!out.refusal) {
    last = img->Totalsecs - 1;
    std::int64_t gotoIndex = 0;  // Goto Track: the sectors of the tracks before it, both sides
    for (int t = 0; t < img->tracks; ++t) {
      last =
          std::max<std::int64_t>(last, img->jv1 == 1 ? std::int64_t{t} * 10 : img->trkstart.At(t));
      last = std::max(last, gotoIndex);
      gotoIndex += std::int64_t{img->trkspt.At(t)} * img->sides;
    }
    if (img->dirstartsecfnd) last = std::max<std::int64_t>(last, img->dirstartsec);
    // Tracks numbered from 1 put the directory at 17 tracks of sectors.
    if (img->firstsecnum == 1) last = std::max<std::int64_t>(last, std::int64_t{img->spt} * 17);
    last = std::min<std::int64_t>(last, kSectorSlots - 1);
  }
  // (data offset, sector index) of every index the window reaches, the lowest index first where
  // two hold one offset.
  std::vector<std::pair<std::int64_t, int>> reached;
  reached.reserve(static_cast<std::size_t>(last + 1));
  for (int i = 0; i <= last; ++i) {
    reached.emplace_back(img->jv1 == 1 ? std::int64_t{i} * jv1::kSectorBytes
                                       : img->secpos.At(static_cast<double>(i)),
                         i);
  }
  std::sort(reached.begin(), reached.end());
  const auto before = [](const std::pair<std::int64_t, int>& e, std::int64_t at) {
    return e.first < at;
  };
  // The records' data lie in rising order through most of a file, so each is looked for from where
  // the last was found, and only one that lies before it is looked for from the start.
  auto next = reached.begin();
  for (SectorRecord& r : listing.records) {
    if (!r.dataOffset) continue;
    const std::int64_t at = *r.dataOffset;
    if (next != reached.begin() && (next - 1)->first >= at) {
      next = std::lower_bound(reached.begin(), next, at, before);
    }
    while (next != reached.end() && next->first < at) ++next;
    if (next == reached.end() || next->first != at) r.remarks |= kRemarkNotIndexed;
  }
}

}  // namespace m1
