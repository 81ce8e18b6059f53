// The main window's part in the Disk windows and the status bar: which file offset the present
// sector's data starts at, and showing a sector or the bytes at an offset on request.
#include <algorithm>

#include "core/container/jv1_format.h"
#include "viewer/mainform.h"

namespace m1 {

std::optional<std::int64_t> Mainform::PresentDataOffset() const {
  if (img.openflag != 1 || refused_ || img.Totalsecs <= 0) return std::nullopt;
  // A JV1 sector's place follows from its index; the other formats keep it in the index table.
  if (img.jv1 == 1) return static_cast<std::int64_t>(img.PresSecnum) * jv1::kSectorBytes;
  return img.secpos.At(img.PresSecnum);
}

bool Mainform::ShowSectorWithData(std::int64_t dataOffset) {
  if (img.openflag != 1 || refused_) return false;
  std::optional<int> index;
  if (img.jv1 == 1) {
    if (dataOffset >= 0 && dataOffset % jv1::kSectorBytes == 0 &&
        dataOffset / jv1::kSectorBytes < img.Totalsecs) {
      index = static_cast<int>(dataOffset / jv1::kSectorBytes);
    }
  } else {
    const int indexes = std::min(img.Totalsecs, kSectorSlots);
    for (int i = 0; i < indexes && !index; ++i) {
      if (img.secpos.At(i) == dataOffset) index = i;
    }
  }
  if (!index) return false;
  img.PresSecnum = *index;
  Redraw();
  p_.host.ShowForm(FormId::Main);
  return true;
}

void Mainform::ShowBytesInHexWindow(std::int64_t offset) {
  p_.host.ShowFileBytes(img.Filename, offset);
}

}  // namespace m1
