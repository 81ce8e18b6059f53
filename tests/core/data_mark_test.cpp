// The data address mark search: the word-at-a-time and the block-at-a-time ways, and the finder
// that reuses the last window's answer, must agree with a plain byte-by-byte reading, wherever in
// the window a mark lies and whatever lies before it (F9 is the one byte among F8..FB that is not
// a mark).
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/data_mark.h"

namespace m1::datamark {
namespace {

using Bytes41 = std::array<std::uint8_t, kWindowBytes>;

// Every way the program has of searching, each with the window in a buffer of its own so that a
// read past its 41 bytes would show under the sanitizers.
std::vector<std::size_t> AllWays(const Bytes41& bytes) {
  const std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  const Window w(copy.data(), kWindowBytes);
  std::vector<std::size_t> found{FindInWords(w)};
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

// The reference: the first F8, FA or FB, one byte at a time.
std::size_t ByteByByte(const Bytes41& b) {
  for (std::size_t i = 0; i < kWindowBytes; ++i) {
    if (b[i] == 0xF8 || b[i] == 0xFA || b[i] == 0xFB) return i;
  }
  return kWindowBytes;
}

TEST(DataMark, NoMarkReadsAsTheWindowLength) {
  ExpectAllFind(Gap(0x4E), 41);
  ExpectAllFind(Gap(0xF9), 41);  // F9 passes every candidate test but the last
  ExpectAllFind(Gap(0xFF), 41);
  ExpectAllFind(Gap(0xFC), 41);
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

TEST(DataMark, AgreesWithByteByByteOnPseudoRandomWindows) {
  // Bytes drawn mostly from F7..FC so that candidates crowd every word and block.
  std::uint32_t state = 12345;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return static_cast<std::uint8_t>(state >> 16);
  };
  for (int round = 0; round < 20000; ++round) {
    Bytes41 b;
    for (auto& byte : b) byte = (next() & 3) ? static_cast<std::uint8_t>(0xF7 + next() % 6) : next();
    for (std::size_t found : AllWays(b)) ASSERT_EQ(found, ByteByByte(b)) << "round " << round;
  }
}

std::size_t FindAfter(RepeatFinder& finder, const Bytes41& bytes) {
  const std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  return finder.Find(Window(copy.data(), kWindowBytes));
}

TEST(DataMark, RepeatedWindowsKeepOnlyWhatDecidesTheMark) {
  RepeatFinder finder;
  Bytes41 b = Gap(0x4E);
  b[34] = 0xFB;  // double density: 22 gap bytes, 12 zeros, three A1, then the mark
  EXPECT_EQ(FindAfter(finder, b), 34u);
  b[38] = 0xF8;  // the sector's data after the mark differs from sector to sector
  EXPECT_EQ(FindAfter(finder, b), 34u);
  b[20] = 0xFA;  // a mark earlier than the last one's
  EXPECT_EQ(FindAfter(finder, b), 20u);
  b[20] = 0x4E;
  b[34] = 0xF9;  // the last one's place holds no mark now
  EXPECT_EQ(FindAfter(finder, b), 38u);
  b[38] = 0x00;
  EXPECT_EQ(FindAfter(finder, b), 41u);
  EXPECT_EQ(FindAfter(finder, b), 41u);
  b[40] = 0xFB;  // no mark last time: every byte counts
  EXPECT_EQ(FindAfter(finder, b), 40u);
}

TEST(DataMark, RepeatFinderAgreesWithByteByByteOnWindowsThatDriftApart) {
  std::uint32_t state = 777;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return static_cast<std::uint8_t>(state >> 16);
  };
  RepeatFinder finder;
  Bytes41 b = Gap(0x4E);
  for (int round = 0; round < 20000; ++round) {
    // Most windows repeat the last one but for a byte or two, in places near the marks.
    for (int k = next() % 3; k > 0; --k) {
      b[next() % kWindowBytes] = (next() & 1) ? static_cast<std::uint8_t>(0xF7 + next() % 6) : next();
    }
    ASSERT_EQ(FindAfter(finder, b), ByteByByte(b)) << "round " << round;
  }
}

}  // namespace
}  // namespace m1::datamark
