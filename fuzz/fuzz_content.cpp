// libFuzzer entry for the decoders of file contents: the input read as a BASIC program, a load
// module with its disassembly, editor-assembler source and text, then decoded and shown as the
// File window would under a few extensions. A read outside the input or a hang is the finding.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/content/decoded.h"
#include "core/content/file_kind.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  (void)m1::LooksLikeBasic(bytes);
  (void)m1::ListBasic(bytes);
  (void)m1::LooksLikeLoadModule(bytes);
  const m1::LoadModule module = m1::ReadLoadModule(bytes);
  (void)m1::Disassemble(module, bytes);
  (void)m1::LooksLikeSource(bytes);
  (void)m1::ReadSource(bytes);
  (void)m1::LooksLikeText(bytes);
  (void)m1::ReadTextLines(bytes);
  (void)m1::GuessHolds(bytes);
  for (const char* ext : {"BAS", "CMD", "TXT", ""}) {
    (void)m1::ShownLines(m1::Decode(bytes, ext), bytes);
  }
  return 0;
}
