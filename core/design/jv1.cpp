// The main window's facts of a JV1 image (the layout is drawn in core/jv1_format.h): the geometry
// from the file length alone; the byte of sector index i is at i x 256, and the Model 1 directory
// sits on track 17 (sector index 170).
#include "core/container/jv1_format.h"
#include "core/design/formats.h"
#include "core/text/number_text.h"

namespace m1 {

std::vector<std::string> ApplyJv1Facts(DiskImage& img) {
  img.dens = 1;
  img.dmkflag = 0;
  img.sides = 1;
  img.spt = jv1::kSectorsPerTrack;
  img.sda = " Single/Sided";
  img.dd = " Single/Density";
  img.Emtype = "JV1";
  img.tracks = jv1::Tracks(img.fileend);
  img.Totalsecs = jv1::kSectorsPerTrack * img.tracks;
  img.PresSecnum = 0;
  // A disk too short to reach track 17 has no directory there.
  if (img.tracks > jv1::kDirectoryTrack) {
    img.dirstartsec = jv1::kDirectoryTrack * jv1::kSectorsPerTrack;
    img.dirstartsecfnd = 1;
  } else {
    img.dirstartsecfnd = 0;
  }
  std::vector<std::string> trackList;
  for (int t = 0; t < img.tracks; ++t) trackList.push_back(SignedText(t));
  return trackList;
}

}  // namespace m1
