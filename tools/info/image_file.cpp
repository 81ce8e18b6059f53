#include "tools/info/image_file.h"

#include <cstring>

#include "core/container/listing.h"
#include "platform/read_only_file.h"

namespace m1::info {

ImageFile ReadImageFile(const std::string& path) {
  ImageFile f;
  ReadOnlyFile file(path);
  const auto systemError = [&file](const char* what) {
    return std::string(what) + ": " + std::strerror(file.Error());
  };
  switch (file.WhyNot()) {
    case ReadOnlyFile::Failure::CannotOpen:
      f.error = systemError("cannot open");
      return f;
    case ReadOnlyFile::Failure::CannotStat:
      f.error = systemError("cannot read");
      return f;
    case ReadOnlyFile::Failure::Folder:
      f.error = "is a folder";
      return f;
    case ReadOnlyFile::Failure::NotRegular:
      f.error = "not a regular file";
      return f;
    case ReadOnlyFile::Failure::None:
      break;
  }
  f.length = file.Length();
  if (const auto error = LengthError(f.length)) {
    f.error = *error;
    return f;
  }
  f.bytes.resize(static_cast<std::size_t>(f.length));
  const std::size_t done = file.Read(f.bytes.data(), f.bytes.size());
  if (file.Error() != 0) {
    f.error = systemError("cannot read");
    f.bytes.clear();
    return f;
  }
  f.bytes.resize(done);  // the file shrank while being read: what was read is the image
  return f;
}

}  // namespace m1::info
