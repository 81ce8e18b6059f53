// JV1: no header at all. The file is the disk's sectors one after another, track by track from
// track 0, ten single-density sectors of 256 bytes a track (sector 0 first), one side. A track
// is 2560 bytes, so the file length gives the number of tracks; the byte of sector index i is at
// i x 256. The Model 1 directory sits on track 17 (sector index 170).
#include <algorithm>

#include "core/formats.h"
#include "core/number_text.h"

namespace m1 {

namespace {

constexpr std::int64_t kJv1TrackBytes = 2560;  // 10 sectors x 256 bytes
constexpr int kJv1SectorsPerTrack = 10;
constexpr int kJv1MaxTracks = 96;
constexpr int kJv1DirectoryTrack = 17;
constexpr int kJv1DirectoryStart = kJv1DirectoryTrack * kJv1SectorsPerTrack;  // sector index 170

}  // namespace

std::vector<std::string> ApplyJv1Facts(DiskImage& img) {
  img.dens = 1;
  img.dmkflag = 0;
  img.sides = 1;
  img.spt = kJv1SectorsPerTrack;
  img.sda = " Single/Sided";
  img.dd = " Single/Density";
  img.Emtype = "JV1";
  const std::int64_t length = img.fileend;
  const std::int64_t tracks = (length + kJv1TrackBytes - 1) / kJv1TrackBytes;
  img.tracks = static_cast<int>(std::clamp<std::int64_t>(tracks, 1, kJv1MaxTracks));
  img.Totalsecs = kJv1SectorsPerTrack * img.tracks;
  img.PresSecnum = 0;
  // A disk too short to reach track 17 has no directory there.
  if (img.tracks > kJv1DirectoryTrack) {
    img.dirstartsec = kJv1DirectoryStart;
    img.dirstartsecfnd = 1;
  } else {
    img.dirstartsecfnd = 0;
  }
  std::vector<std::string> trackList;
  for (int t = 0; t < img.tracks; ++t) trackList.push_back(SignedText(t));
  return trackList;
}

}  // namespace m1
