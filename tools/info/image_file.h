// Reading an image file for m1view-info: opened read-only, refused unread when it is not a regular
// file or is over 64 MiB, read whole otherwise. Nothing here can write to a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace m1::info {

struct ImageFile {
  std::vector<std::uint8_t> bytes;
  std::int64_t length = 0;           // the file's length, also when it was not read
  std::optional<std::string> error;  // why it was not read
};

ImageFile ReadImageFile(const std::string& path);

}  // namespace m1::info
