// The builders themselves: the CRC and the places of the bytes they lay down.
#include <gtest/gtest.h>

#include "tests/support/image_builder.h"

namespace m1::testing {
namespace {

TEST(ImageBuilder, CrcIsCcittWithAllOnesStart) {
  const Bytes check = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(Crc16Ccitt(check), 0x29B1);
  // The ID field of track 0, side 0, sector 1, 256 bytes in MFM, with its three A1 sync bytes.
  const Bytes id = {0xA1, 0xA1, 0xA1, 0xFE, 0x00, 0x00, 0x01, 0x01};
  EXPECT_EQ(Crc16Ccitt(id), 0xFA0C);
}

TEST(ImageBuilder, DmkDoubleDensitySectorLaysDownIdAndDataField) {
  DmkBuilder dmk(1, 6400);
  dmk.AddTrack({DmkSector::Dd(0, 0, 1)});
  const Bytes file = dmk.Build();
  ASSERT_EQ(file.size(), 16u + 6400u);
  EXPECT_EQ(file[16], 159);         // pointer low byte: FE at 159 in the track image
  EXPECT_EQ(file[17], 0x80);        // double density
  EXPECT_EQ(file[16 + 159], 0xFE);
  EXPECT_EQ(file[16 + 156], 0xA1);
  EXPECT_EQ(file[16 + 163], 0x01);  // size code
  EXPECT_EQ(file[16 + 164], 0xFA);  // CRC high byte
  EXPECT_EQ(file[16 + 165], 0x0C);
  EXPECT_EQ(file[16 + 203], 0xFB);  // data mark 44 bytes after FE
  EXPECT_EQ(dmk.Place(0, 0).data, 220u);
}

TEST(ImageBuilder, DmkDoubledSingleDensityRecordsEveryByteTwice) {
  DmkBuilder dmk(1, 6400);
  DmkSector s = DmkSector::Sd(3, 0, 7);
  s.data = {0x11, 0x22};
  dmk.AddTrack({s});
  const Bytes file = dmk.Build();
  // 128 pointer bytes, 16 gap bytes and 6 zeros, all doubled: FE at 172.
  EXPECT_EQ(file[16], 172);
  EXPECT_EQ(file[17], 0x00);
  const Bytes expected = {0xFE, 0xFE, 3, 3, 0, 0, 7, 7};
  EXPECT_EQ(Bytes(file.begin() + 16 + 172, file.begin() + 16 + 180), expected);
  EXPECT_EQ(file[16 + 220], 0xFB);
  EXPECT_EQ(file[16 + 221], 0xFB);
  EXPECT_EQ(file[16 + 222], 0x11);
  EXPECT_EQ(file[16 + 223], 0x11);
  EXPECT_EQ(file[16 + 224], 0x22);
}

TEST(ImageBuilder, Jv3PlacesDataBySizeCode) {
  Jv3Builder jv3;
  jv3.Add(0, 0, 0x01);
  jv3.Add(0, 1, 0x00);
  jv3.Add(0, 2, 0x03);
  const Bytes file = jv3.Build();
  EXPECT_EQ(file.size(), 8704u + 128u + 256u + 512u);
  EXPECT_EQ(jv3.DataOffset(2), 9088u);
  EXPECT_EQ(file[9], 0xFF);
  EXPECT_EQ(file[8703], 0xFF);
}

}  // namespace
}  // namespace m1::testing
