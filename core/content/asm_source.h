// Editor-assembler source as the editor lists it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/content/text_file.h"

namespace m1 {

struct SourceFile {
  std::optional<std::string> name;  // from the header, trailing spaces dropped
  std::vector<TextLine> lines;      // "00010 LD A,1": the line number as digits, one space
  std::vector<std::string> problems;
};

// True when the bytes start as source does: the optional header, then a line number of five
// digits with bit 7 set and a space or TAB after it.
bool LooksLikeSource(std::span<const std::uint8_t> bytes);

SourceFile ReadSource(std::span<const std::uint8_t> bytes);

}  // namespace m1
