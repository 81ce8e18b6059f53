// AnalyseImage: loading, the size checks, recognition, the scan of the container found,
// publishing of the geometry and the Newdos/80 check, in that order.
#include "core/design/analysis.h"

#include <algorithm>
#include <limits>

#include "core/design/formats.h"
#include "core/text/number_text.h"

namespace m1 {

std::string Refusal::Text() const {
  std::string text;
  for (std::size_t n = 0; n < lines.size(); ++n) {
    if (n > 0) text += '\r';
    text += lines[n];
  }
  return text;
}

Refusal TooShortRefusal() {
  return Refusal{{"** ERROR **", " This file is too short to be a disk image"}};
}

Refusal TooLargeRefusal() {
  return Refusal{{"** ERROR **", " This file is too large to be a disk image"}};
}

Refusal RealDriveRefusal() {
  return Refusal{{"** ERROR **  This file is a DMK type REAL disk format,",
                  "                     used to access REAL Disks"}};
}

Refusal NoHeaderRefusal() {
  return Refusal{{"** ERROR **", " This file does not have an EMULATOR Disk format HEADER",
                  "    It may be a Disk file for use with a dedicated program"}};
}

namespace {

void ClearTables(DiskImage& img) {
  img.trkspt.fill(0);
  img.trkstart.fill(0);
  img.sectrk.fill(0);
  img.secside.fill(0);
  img.secid.fill(0);
  img.secdens.fill(0);
  img.secdam.fill(0);
  img.secpos.fill(0);
}

// The track list, the density, sides and format texts of a JV3 or DMK image.
void Publish(DiskImage& img, AnalysisOutcome& out) {
  out.trackList.reserve(static_cast<std::size_t>(std::max(img.tracks, 0)));
  for (int t = 0; t < img.tracks; ++t) out.trackList.push_back(SignedText(t));
  img.PresSecnum = 0;
  img.dd = " Single/Density";
  if (img.dens == 2) img.dd = " Double/Density";
  if (img.dens == 3) {
    img.dd = " Dual/Density";
    out.note = "    This Disk has Dual Density";
  }
  img.sda = img.sides == 2 ? " Double/Sided" : " Single/Sided";
  img.Emtype = img.dmkflag == 1 ? "DMK" : "JV3";
}

}  // namespace

void ReleaseImageBytes(DiskImage& img) {
  img.filebuf = std::vector<std::uint8_t>(1, 0);
  img.fileend = 0;
}

namespace {

// Everything after the loading, over the file's bytes wherever they are kept.
AnalysisOutcome AnalyseBytes(DiskImage& img, std::span<const std::uint8_t> bytes,
                             std::int64_t length) {
  AnalysisOutcome out;
  img.fileend = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(length, 0, std::numeric_limits<std::int32_t>::max()));
  img.fpa = 0;
  img.firstsecnum = 0;
  img.datamarkDmk = 0;
  img.datamarkjv = 0;
  img.dmkflag = 0;
  img.jv3flag = 0;
  img.jv1 = 1;
  img.sdsinglebyte = 0;
  ClearTables(img);

  if (length < kMinImageBytes) {
    out.refusal = TooShortRefusal();
    return out;
  }
  if (length > kMaxImageBytes) {
    out.refusal = TooLargeRefusal();
    return out;
  }

  const ByteReader file(bytes);
  Recognition r = Recognise(img, file);
  if (r.refusal) {
    out.refusal = std::move(r.refusal);
    return out;
  }
  switch (*r.container) {
    case Container::Jv1:
      out.trackList = ApplyJv1Facts(img);
      break;
    case Container::Jv3:
      ScanJv3(img, file);
      Publish(img, out);
      break;
    case Container::Dmk:
      ScanDmk(img, file);
      Publish(img, out);
      break;
  }
  out.text6Emptied = CheckNewdos(img, file);
  img.PresSecnum = 0;
  return out;
}

}  // namespace

AnalysisOutcome AnalyseImage(DiskImage& img, std::vector<std::uint8_t> bytes, std::int64_t length) {
  // Loading: the bytes and one spare zero byte after them.
  const bool tooLarge = length > kMaxImageBytes;
  if (tooLarge || length < 0) bytes.clear();
  if (bytes.size() > static_cast<std::size_t>(std::max<std::int64_t>(length, 0))) {
    bytes.resize(static_cast<std::size_t>(length));
  }
  img.filebuf = std::move(bytes);
  img.filebuf.push_back(0);
  return AnalyseBytes(img, std::span<const std::uint8_t>(img.filebuf.data(), img.DataSize()),
                      length);
}

AnalysisOutcome AnalyseImageView(DiskImage& img, std::span<const std::uint8_t> bytes) {
  img.filebuf = std::vector<std::uint8_t>(1, 0);
  return AnalyseBytes(img, bytes, static_cast<std::int64_t>(bytes.size()));
}

}  // namespace m1
