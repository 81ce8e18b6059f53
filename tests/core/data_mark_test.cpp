// The data address mark search: the 16-byte blocks must find what the plain search finds, wherever
// in the window a mark lies and whatever lies before it (F9 is the one byte among F8..FB that is
// not a mark). Positions are counted from +10 after the ID address mark; 41 is "no mark".
#include "core/design/data_mark.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace m1::datamark {
namespace {

using Bytes41 = std::array<std::uint8_t, kWindowBytes>;

// Every way of searching, each with the window in a buffer of its own so that a read past its 41
// bytes would show under the sanitizers.
std::vector<std::size_t> AllWays(const Bytes41& bytes) {
  const std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  const Window w(copy.data(), kWindowBytes);
  std::vector<std::size_t> found{FindPlain(w), Find(w)};
#if defined(__SSE2__)
  found.push_back(FindInBlocks(w));
#endif
  return found;
}

void ExpectAllFind(const Bytes41& bytes, std::size_t expected) {
  for (std::size_t found : AllWays(bytes)) EXPECT_EQ(found, expected);
}

Bytes41 Gap(std::uint8_t fill) {
  Bytes41 b;
  b.fill(fill);
  return b;
}

TEST(DataMark, NoMarkReadsAsTheWindowLength) {
  for (std::uint8_t fill : {0x4E, 0xF9, 0xFF, 0xFC}) ExpectAllFind(Gap(fill), 41);
}

TEST(DataMark, EachMarkAtEachPlace) {
  for (std::uint8_t mark : {0xF8, 0xFA, 0xFB}) {
    for (std::size_t at = 0; at < kWindowBytes; ++at) {
      Bytes41 b = Gap(0x4E);
      b[at] = mark;
      if (at + 1 < kWindowBytes) b[at + 1] = 0xFB;  // a later mark does not count
      SCOPED_TRACE(at);
      ExpectAllFind(b, at);
    }
  }
}

TEST(DataMark, F9AndNeighboursBeforeTheMarkArePassedOver) {
  Bytes41 b = Gap(0x00);
  b[3] = 0xF9;
  b[17] = 0xF9;
  b[24] = 0xF7;
  b[25] = 0xFC;
  b[33] = 0xFA;
  ExpectAllFind(b, 33);
  b[33] = 0xF9;
  ExpectAllFind(b, 41);
  b[40] = 0xF8;  // the last byte of the window, +50 after the ID address mark
  ExpectAllFind(b, 40);
}

TEST(DataMark, BlocksAgreeWithThePlainSearchOnPseudoRandomWindows) {
  // Bytes drawn mostly from F7..FC so that candidates crowd every block.
  std::uint32_t state = 12345;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return static_cast<std::uint8_t>(state >> 16);
  };
  for (int round = 0; round < 20000; ++round) {
    Bytes41 b;
    for (auto& byte : b)
      byte = (next() & 3) ? static_cast<std::uint8_t>(0xF7 + next() % 6) : next();
    const std::vector<std::size_t> found = AllWays(b);
    for (std::size_t f : found) ASSERT_EQ(f, found.front()) << "round " << round;
  }
}

}  // namespace
}  // namespace m1::datamark
