// Editor-assembler source, text, and which kind a file's bytes are taken for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/content/asm_source.h"
#include "core/content/decoded.h"
#include "core/content/file_kind.h"
#include "core/content/text_file.h"
#include "tests/support/basic_program.h"

namespace m1 {
namespace {

using testing::Bytes;
using testing::Join;
using testing::Text;

const Bytes kSource = Join({{0xD3},
                            Text("TEST  "),                        // header
                            {0xB0, 0xB0, 0xB0, 0xB1, 0xB0, 0x20},  // 00010, space
                            Text("START\tLD\tA,1\r"),              //
                            {0xB0, 0xB0, 0xB0, 0xB2, 0xB0, 0x09},  // 00020, TAB
                            Text("END\r"),
                            {0x1A},
                            Text("junk")});

const Bytes kBasic = {0xFF, 0x07, 0x6A, 0x0A, 0x00, 0xB2, 0x00, 0x00, 0x00};  // 10 PRINT

TEST(Source, ListsLinesWithTheirNumbers) {
  ASSERT_TRUE(LooksLikeSource(kSource));
  const SourceFile s = ReadSource(kSource);
  EXPECT_EQ(s.name, "TEST");
  ASSERT_EQ(s.lines.size(), 2u);
  EXPECT_EQ(s.lines[0].text, "00010 START   LD      A,1");
  EXPECT_EQ(s.lines[0].offset, 7);
  EXPECT_EQ(s.lines[1].text, "00020 END");
  EXPECT_EQ(s.lines[1].offset, 26);
  EXPECT_TRUE(s.problems.empty());
}

TEST(Text, LinesEndInReturnsAndTheTextAtTheEndMark) {
  const Bytes text = Join({Text("HELLO\r\nWORLD"), {0x01}, Text("\r\tX\r"), {0x1A}, Text("Z\r")});
  const std::vector<TextLine> lines = ReadTextLines(text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "HELLO");
  EXPECT_EQ(lines[1].text, "WORLD\u2401");
  EXPECT_EQ(lines[1].offset, 7);
  EXPECT_EQ(lines[2].text, "        X");
  EXPECT_EQ(lines[2].offset, 14);
}

TEST(FileKind, BytesFirstExtensionBreaksTies) {
  // A load block whose data is printable lines is both a load module and text.
  Bytes both = {0x01, 0x00, 0x00, 0x52};
  for (int i = 0; i < 254; ++i) both.push_back(i % 4 == 3 ? '\r' : 'A');
  both.insert(both.end(), {0x02, 0x02, 0x00, 0x52});
  const Bytes module = {0x01, 0x03, 0x00, 0x60, 0xC9, 0x02, 0x02, 0x00, 0x60};
  const struct {
    Bytes bytes;
    const char* ext;
    FileKind kind;
  } cases[] = {
      {kBasic, "BAS", FileKind::Basic},
      {kBasic, "CMD", FileKind::Basic},
      {Text("10 PRINT\r20 END\r"), "BAS", FileKind::Text},
      {module, "CMD", FileKind::Cmd},
      {{0x01, 0x03, 0x00, 0x60, 0xC9, 0x4C}, "CMD", FileKind::Binary},
      {kSource, "ASM", FileKind::Source},
      {kSource, "TXT", FileKind::Source},
      {both, "CMD", FileKind::Cmd},
      {both, "txt", FileKind::Text},
      {both, "", FileKind::Cmd},
      {{}, "TXT", FileKind::Binary},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KindName(RecogniseKind(c.bytes, c.ext)), std::string(KindName(c.kind)))
        << c.ext << ", " << c.bytes.size() << " bytes";
  }
}

TEST(FileKind, GuessesOnlyWhatIsConvincing) {
  Bytes lines;
  for (int i = 0; i < 8; ++i) lines.insert(lines.end(), {'L', 'I', 'N', 'E', ' ', 'O', 'F', '\r'});
  // The first three lines of a longer program, cut where a granule would end.
  const Bytes program = {0xFF, 0x07, 0x6A, 0x0A, 0x00, 'A',  0x00, 0x0D, 0x6A, 0x14,
                         0x00, 'B',  0x00, 0x13, 0x6A, 0x1E, 0x00, 'C',  0x00, 0x19};
  const Bytes blocks = {0x01, 0x03, 0x00, 0x60, 0xC9, 0x01, 0x04, 0x01, 0x60, 0x00, 0x00, 0x01};
  EXPECT_EQ(GuessHolds(program), FileKind::Basic);
  EXPECT_EQ(GuessHolds(blocks), FileKind::Cmd);
  EXPECT_EQ(GuessHolds(lines), FileKind::Text);
  EXPECT_EQ(GuessHolds(Bytes(lines.begin(), lines.begin() + 20)), std::nullopt);
  EXPECT_EQ(GuessHolds(Bytes(300, 0xE5)), std::nullopt);
}

TEST(Decoded, ShowsEachKindAsLines) {
  const std::vector<ShownLine> basic = ShownLines(Decode(kBasic, "BAS"), kBasic);
  ASSERT_EQ(basic.size(), 1u);
  EXPECT_EQ(basic[0].text, "10 PRINT");
  const Bytes module = {0x01, 0x04, 0x00, 0x60, 0x3E, 0x01, 0x02, 0x02, 0x00, 0x60};
  const std::vector<ShownLine> cmd = ShownLines(Decode(module, "CMD"), module);
  ASSERT_FALSE(cmd.empty());
  EXPECT_EQ(cmd.back().text, "6000  3E 01        LD A,#01");
  EXPECT_EQ(cmd.back().offset, 4);
  const Bytes binary = {0x00, 0x41};
  const std::vector<ShownLine> dump = ShownLines(Decode(binary, ""), binary);
  ASSERT_EQ(dump.size(), 1u);
  EXPECT_EQ(dump[0].text.substr(0, 15), "00000000  00 41");
}

}  // namespace
}  // namespace m1
