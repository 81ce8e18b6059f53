// The hex window asked by another window to show some bytes of a file.
#include <algorithm>

#include "hexview/form2.h"
#include "hexview/layout.h"

namespace m1 {

bool form2::ShowBytesAt(const std::string& path, std::int64_t offset) {
  if (openflag != 1 || Filename != path) {
    busy_ = true;
    const bool loaded = Load(path, LoadPath::Menu);
    if (!loaded) AfterModalBox();
    busy_ = false;
    if (!loaded) return false;
  }
  const std::int64_t line = std::max<std::int64_t>(offset, 0) / hexlayout::kBytesPerLine;
  SetScrollValue(static_cast<int>(std::min(line, hexlayout::ScrollMax(fileend))));
  return true;
}

}  // namespace m1
