// The layout helper and the classification on their own.
#include "core/text/number_text.h"
#include "hex_fixture.h"
#include "hexview/classify.h"
#include "hexview/layout.h"

namespace m1::testing {
namespace {

TEST(HexLayout, ScrollReach) {
  struct Row {
    std::int64_t fileend, max;
  };
  for (const Row r : {Row{0, 0}, Row{271, 0}, Row{272, 1}}) {
    EXPECT_EQ(hexlayout::ScrollMax(r.fileend), r.max) << r.fileend;
  }
}

TEST(HexClassify, CharactersOfTheCharacterColumn) {
  struct Row {
    std::uint8_t b;
    char c;
  };
  for (const Row r : {Row{0x00, '.'}, Row{0x20, '.'}, Row{0x21, '!'}, Row{0x41, 'A'},
                      Row{0x7F, '\x7F'}, Row{0x80, '.'}, Row{0xFF, '.'}}) {
    EXPECT_EQ(PrintableChar(r.b), r.c) << int{r.b};
  }
}

TEST(HexClassify, RecognitionFromTheFirstSixteenBytes) {
  struct Row {
    const char* what;
    Bytes head;
    std::int64_t fileend;
    bool dmk, realDisk, jv1, jv3;
  };
  const Row rows[] = {
      {"emulator DMK 6400", {0x00, 0x28, 0x00, 0x19}, 16, true, false, false, false},
      {"emulator DMK 3264", {0xFF, 0x00, 0xC0, 0x0C}, 16, true, false, false, false},
      {"plausible DMK 6528", {0x00, 0x28, 0x80, 0x19}, 6544, true, false, false, false},
      {"6528 without a whole track", {0x00, 0x28, 0x80, 0x19}, 6543, false, false, false, false},
      {"6528 with no tracks", {0x00, 0x00, 0x80, 0x19}, 6544, false, false, false, false},
      {"6528 with 97 tracks", {0x00, 0x61, 0x80, 0x19}, 99999, false, false, false, false},
      {"6528 with byte 0 0x01", {0x01, 0x28, 0x80, 0x19}, 6544, false, false, false, false},
      {"16384 plausible", {0xFF, 0x50, 0x00, 0x40}, 16400, true, false, false, false},
      {"16385 too long", {0xFF, 0x50, 0x01, 0x40}, 16401, false, false, false, false},
      {"real drive DMK",
       {0x00, 0x28, 0x00, 0x19, 0, 0, 0, 0, 0, 0, 0, 0, 0x78, 0x56, 0x34, 0x12},
       16,
       true,
       true,
       false,
       false},
      {"JV1", {0x00, 0xFE, 0x11, 0x00}, 16, false, false, true, false},
      {"JV3", {0x00, 0x01, 0x00, 0x00, 0x02, 0x00}, 16, false, false, false, true},
      {"JV3 track byte 15 set",
       {0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0, 5, 0, 1},
       16,
       false,
       false,
       false,
       false},
      {"text", {'S', 'o', 'm', 'e'}, 16, false, false, false, false},
  };
  for (const Row& r : rows) {
    Bytes buf = r.head;
    buf.resize(16 + 1001, 0);
    const auto f = hexview::RecogniseFormat(ByteReader(buf), r.fileend);
    EXPECT_EQ(f.dmk, r.dmk) << r.what;
    EXPECT_EQ(f.realDisk, r.realDisk) << r.what;
    EXPECT_EQ(f.jv1, r.jv1) << r.what;
    EXPECT_EQ(f.jv3, r.jv3) << r.what;
  }
}

TEST(HexClassify, ReadsNothingOutsideTheBuffer) {
  // A buffer that ends right after an ID address mark: the look at the next byte reads nothing.
  const Bytes buf{0x00, 0x28, 0x00, 0x19, 0, 0, 0,    0,    0,    0,
                  0,    0,    0,    0,    0, 0, 0xA1, 0xA1, 0xA1, 0xFE};
  hexview::CarriedState state;
  hexview::DrawFlags flags;
  const ByteReader reader(buf);
  const auto f = hexview::RecogniseFormat(reader, 20);
  for (std::int64_t p = -2; p < 24; ++p) hexview::ClassifyHex(reader, p, 20, f, state, flags);
  EXPECT_EQ(state.fpasave1, 19);
  EXPECT_FALSE(flags.doubleNote);
}

}  // namespace
}  // namespace m1::testing
