// Recognition of the container. The tests run in this order and the first that matches decides:
//
//  1. JV1, by the first three bytes of the boot sector (00 FE 11). JV1 has no header at all, so
//     this is the only sign it gives; it goes first because a JV1 boot sector would otherwise be
//     read as a DMK or JV3 header.
//  2. DMK, by the track length in header bytes 2-3: 6400 (double density) or 3264 (single
//     density) as emulators write them, or any other header that is plausible as DMK (write
//     protect byte 00 or FF, 1 to 96 tracks, a track length of 3264 to 16384 bytes and at least
//     one whole track image in the file), as the images of real disk copiers are. A DMK header
//     that names a real drive (bytes 12-15 78 56 34 12) is refused: such files are not images.
//  3. JV3 last, because its test is the weakest: the first four sector headers name one track.
//     A file that fails it carries no emulator header and is refused.

#include "core/container/dmk_format.h"
#include "core/container/jv1_format.h"
#include "core/container/jv3_format.h"
#include "core/design/formats.h"

namespace m1 {

Recognition Recognise(DiskImage& img, const ByteReader& file) {
  Recognition r;

  // 1. JV1.
  if (jv1::HasBootSignature(file)) {
    r.container = Container::Jv1;
    return r;
  }
  img.jv1 = 0;

  // 2. DMK. 6400 reads as double density and 3264 as single; other plausible lengths by size.
  const dmk::Header header = dmk::ReadHeader(file);
  img.trklength = header.trackLength;
  img.spg = 5;
  if (header.EmulatorLength() || header.Plausible(static_cast<std::int64_t>(file.size()))) {
    const bool dbl = header.LongTrack();
    img.dens = dbl ? 2 : 1;
    img.spg = dbl ? 6 : 5;
    img.dmkflag = 1;
    if (header.realDrive) {
      r.refusal = RealDriveRefusal();
      return r;
    }
    img.sdsinglebyte = header.SingleDensityDoubled() ? 0 : 1;
    img.tracks = header.tracks;
    r.container = Container::Dmk;
    return r;
  }

  // 3. JV3.
  img.jv3flag = 1;
  img.dirstartsecfnd = 0;
  if (jv3::FirstEntriesAgree(file, 4)) {  // the first four headers name one track
    r.container = Container::Jv3;
  } else {
    r.refusal = NoHeaderRefusal();
  }
  return r;
}

}  // namespace m1
