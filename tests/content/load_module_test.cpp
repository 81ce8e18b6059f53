// Load modules built record by record: their records, load map, entry, and the instructions of
// the memory they fill.
#include "core/content/load_module.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/content/z80_disasm.h"

namespace m1 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 05 module header "TEST"; three load blocks, the third over part of the first; the transfer
// address; two bytes after it that are not part of the module.
const Bytes kModule = {
    0x05, 0x04, 'T',  'E',  'S',  'T',                     // 0: module header
    0x01, 0x07, 0x00, 0x52, 0x3E, 0x01, 0xDD, 0x7E, 0x05,  // 6: 5200-5204, data at 10
    0x01, 0x07, 0x10, 0x52, 0xDD, 0xCB, 0x02, 0x46, 0xCD,  // 15: 5210-5214, data at 19
    0x01, 0x05, 0x02, 0x52, 0xDD, 0x7E, 0xFE,              // 24: 5202-5204, data at 28
    0x02, 0x02, 0x00, 0x52,                                // 31: entry 5200
    'X',  'Y',
};

TEST(LoadModule, RecordsLoadMapAndEntry) {
  ASSERT_TRUE(LooksLikeLoadModule(kModule));
  const LoadModule m = ReadLoadModule(kModule);
  struct Expected {
    int type;
    std::int64_t offset;
    int length;
    int address;  // -1: none
  };
  const std::vector<Expected> records = {
      {0x05, 0, 4, -1},      {0x01, 6, 5, 0x5200},  {0x01, 15, 5, 0x5210},
      {0x01, 24, 3, 0x5202}, {0x02, 31, 2, 0x5200},
  };
  ASSERT_EQ(m.records.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(m.records[i].type, records[i].type) << i;
    EXPECT_EQ(m.records[i].offset, records[i].offset) << i;
    EXPECT_EQ(m.records[i].length, records[i].length) << i;
    EXPECT_EQ(m.records[i].address ? int{*m.records[i].address} : -1, records[i].address) << i;
  }
  EXPECT_EQ(m.records[0].name, "TEST");
  EXPECT_EQ(m.moduleName, "TEST");
  ASSERT_EQ(m.blocks.size(), 3u);
  EXPECT_EQ(m.blocks[0].first, 0x5200);
  EXPECT_EQ(m.blocks[0].offset, 10);
  EXPECT_EQ(m.blocks[1].first, 0x5210);
  EXPECT_EQ(m.blocks[1].offset, 19);
  EXPECT_TRUE(m.blocks[1].overlaps.empty());
  EXPECT_EQ(m.blocks[2].overlaps, std::vector<std::size_t>{0});
  EXPECT_EQ(m.entry, 0x5200);
  EXPECT_TRUE(m.complete);
  EXPECT_EQ(m.end, 35);
  EXPECT_TRUE(m.problems.empty());
  EXPECT_EQ(RecordTypeName(0x01), "load block");
  EXPECT_EQ(RecordTypeName(0x1E), "unknown record type 0x1E");
}

TEST(LoadModule, DisassemblesTheMemoryTheBlocksFill) {
  const std::vector<DisasmLine> lines = Disassemble(ReadLoadModule(kModule), kModule);
  struct Expected {
    int address;
    Bytes bytes;
    const char* text;
    std::int64_t offset;
  };
  const std::vector<Expected> expected = {
      {0x5200, {0x3E, 0x01}, "LD A,#01", 10},
      // The third block loaded over the first's last three bytes.
      {0x5202, {0xDD, 0x7E, 0xFE}, "LD A,(IX-#02)", 28},
      {0x5210, {0xDD, 0xCB, 0x02, 0x46}, "BIT 0,(IX+#02)", 19},
      // CALL needs two more bytes than the range holds.
      {0x5214, {0xCD}, "DB #CD", 23},
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(lines[i].address, expected[i].address) << i;
    EXPECT_EQ(lines[i].bytes, expected[i].bytes) << i;
    EXPECT_EQ(lines[i].text, expected[i].text) << i;
    EXPECT_EQ(lines[i].offset, expected[i].offset) << i;
  }
}

TEST(LoadModule, LengthBytesAndWhereTheRecordsStop) {
  // A load block's length counts its address, and 0-2 mean 256-258; elsewhere 0 means 256.
  const struct {
    std::uint8_t type;
    std::uint8_t length;
    int bodyBytes;
    int expected;
  } lengths[] = {
      {0x01, 0x00, 256, 254}, {0x01, 0x02, 258, 256}, {0x01, 0x03, 3, 1},
      {0x10, 0x01, 257, 255}, {0x1F, 0x00, 256, 256}, {0x05, 0x03, 3, 3},
  };
  for (const auto& c : lengths) {
    Bytes file = {c.type, c.length};
    file.resize(file.size() + static_cast<std::size_t>(c.bodyBytes), 0x20);
    file.insert(file.end(), {0x02, 0x02, 0x00, 0x60});
    const LoadModule m = ReadLoadModule(file);
    ASSERT_EQ(m.records.size(), 2u) << int{c.type};
    EXPECT_EQ(m.records[0].length, c.expected) << int{c.type};
    EXPECT_TRUE(m.complete);
  }

  // A byte above 1F is not a record: the module ends there, incomplete.
  const Bytes foreign = {0x01, 0x03, 0x00, 0x60, 0xAA, 0x4C, 0x01, 0x02};
  const LoadModule m = ReadLoadModule(foreign);
  EXPECT_EQ(m.blocks.size(), 1u);
  EXPECT_FALSE(m.complete);
  ASSERT_EQ(m.problems.size(), 1u);
  EXPECT_NE(m.problems[0].find("4C"), std::string::npos) << m.problems[0];
  EXPECT_FALSE(LooksLikeLoadModule(foreign));
  // A block that runs past the end of the file is not loaded.
  const LoadModule cut = ReadLoadModule(Bytes{0x01, 0x07, 0x00, 0x60, 0xAA});
  EXPECT_TRUE(cut.blocks.empty());
  EXPECT_EQ(cut.problems.size(), 1u);
}

}  // namespace
}  // namespace m1
