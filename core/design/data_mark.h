// The data address mark search of the main window's DMK pass: the first F8, FA or FB in the 41
// bytes from +10 to +50 after an ID address mark. The pass makes it once per sector, and it is
// the largest part of opening a DMK image: byte by byte it takes the analysis of the 1 MB
// benchmark image past two and a half times the read of the file. So where the machine has SSE2
// the window is looked at as three 16-byte blocks at once; FindPlain, the search as the format
// reads, is the reference the tests hold the blocks against, and the search everywhere else.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/container/dmk_format.h"

namespace m1::datamark {

inline constexpr std::size_t kWindowBytes = 41;
using Window = std::span<const std::uint8_t, kWindowBytes>;

// Position of the first mark in the window, or 41 when there is none.
inline std::size_t FindPlain(Window w) {
  return static_cast<std::size_t>(std::find_if(w.begin(), w.end(), dmk::IsDataMark) - w.begin());
}

#if defined(__SSE2__)
// The same search on three 16-byte blocks at +0, +16 and +25 (the last two overlap, and a byte
// seen twice sets the same bit twice), compared at once with no branch per byte: the marks are
// the bytes that with their two low bits set are 0xFB, less F9.
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

// The search the pass uses.
inline std::size_t Find(Window w) {
#if defined(__SSE2__)
  return FindInBlocks(w);
#else
  return FindPlain(w);
#endif
}

}  // namespace m1::datamark
