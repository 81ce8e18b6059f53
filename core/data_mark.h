// The data address mark of a DMK sector: the first byte F8, FA or FB in the 41 bytes from +10 to
// +50 after the ID address mark. The track pass looks for it once per sector, which makes this
// search the largest part of opening a DMK image, so it is done on whole words or blocks instead
// of byte by byte. Two ways, which give the same answer: eight bytes at a time in plain C++, and
// 16 bytes at a time with SSE2 where the machine has it.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace m1::datamark {

inline constexpr std::size_t kWindowBytes = 41;
using Window = std::span<const std::uint8_t, kWindowBytes>;

constexpr bool IsDataMark(std::uint8_t b) { return b == 0xF8 || b == 0xFA || b == 0xFB; }

// Position of the first mark in the window, or 41 when there is none. A byte that with its two
// low bits set is 0xFB (F8, F9, FA, FB) makes its word a candidate, which is then checked byte by
// byte; the gap, sync and ID bytes before a mark are almost never candidates, so most words cost
// one test.
inline std::size_t FindInWords(Window w) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighs = 0x8080808080808080ull;
  std::size_t i = 0;
  for (; i + 8 <= w.size(); i += 8) {
    std::uint64_t v;
    std::memcpy(&v, w.data() + i, sizeof v);
    const std::uint64_t x = (v | (kOnes * 0x03)) ^ (kOnes * 0xFB);  // a zero byte: a candidate
    if (((x - kOnes) & ~x & kHighs) == 0) continue;
    for (std::size_t k = i; k < i + 8; ++k) {
      if (IsDataMark(w[k])) return k;
    }
  }
  for (; i < w.size(); ++i) {
    if (IsDataMark(w[i])) return i;
  }
  return w.size();
}

#if defined(__SSE2__)
// The same search as three 16-byte blocks at +0, +16 and +25 (the last two overlap, and a byte
// seen twice sets the same bit twice), compared at once with no branch per byte: the marks are the
// bytes that with their two low bits set are 0xFB, less F9.
inline std::size_t FindInBlocks(Window w) {
  constexpr int kLastBlock = static_cast<int>(kWindowBytes) - 16;
  const __m128i low3 = _mm_set1_epi8(0x03);
  const __m128i fb = _mm_set1_epi8(static_cast<char>(0xFB));
  const __m128i f9 = _mm_set1_epi8(static_cast<char>(0xF9));
  auto marks = [&](int at) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w.data() + at));
    const __m128i f8tofb = _mm_cmpeq_epi8(_mm_or_si128(v, low3), fb);
    const __m128i mark = _mm_andnot_si128(_mm_cmpeq_epi8(v, f9), f8tofb);
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(mark))) << at;
  };
  // A stop bit just past the window: no mark in it reads as position 41.
  const std::uint64_t bits = marks(0) | marks(16) | marks(kLastBlock) | (1ull << kWindowBytes);
  return static_cast<std::size_t>(std::countr_zero(bits));
}
#endif

// Finds the mark window after window, remembering the last window searched: the sectors of a
// track repeat the same gap and sync bytes after each ID field, and a window whose bytes up to
// where the last one had its mark (or all of them, when it had none) equal the last one's has
// its mark in the same place.
class RepeatFinder {
 public:
  std::size_t Find(Window w) {
#if defined(__SSE2__)
    const __m128i v0 = Load(w, 0), v1 = Load(w, 16), v2 = Load(w, kLastBlock);
    if (searched_) {
      const std::uint64_t same = Bits(_mm_cmpeq_epi8(v0, last_[0]), 0) |
                                 Bits(_mm_cmpeq_epi8(v1, last_[1]), 16) |
                                 Bits(_mm_cmpeq_epi8(v2, last_[2]), kLastBlock);
      if ((same & need_) == need_) return found_;
    }
    last_[0] = v0;
    last_[1] = v1;
    last_[2] = v2;
    found_ = FindInBlocks(w);
#else
    if (searched_ && std::memcmp(last_.data(), w.data(), std::min(found_ + 1, kWindowBytes)) == 0) {
      return found_;
    }
    std::memcpy(last_.data(), w.data(), kWindowBytes);
    found_ = FindInWords(w);
#endif
    need_ = found_ < kWindowBytes ? (2ull << found_) - 1 : (1ull << kWindowBytes) - 1;
    searched_ = true;
    return found_;
  }

 private:
#if defined(__SSE2__)
  static constexpr int kLastBlock = static_cast<int>(kWindowBytes) - 16;
  static __m128i Load(Window w, int at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(w.data() + at));
  }
  static std::uint64_t Bits(__m128i v, int at) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(v))) << at;
  }
  __m128i last_[3] = {_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128()};
#else
  std::array<std::uint8_t, kWindowBytes> last_{};
#endif
  std::size_t found_ = kWindowBytes;
  std::uint64_t need_ = 0;  // the window positions that must match the last window's
  bool searched_ = false;
};

}  // namespace m1::datamark
