// The builders' CRC; the places of the bytes they lay down are checked by the analysis tests.
#include <gtest/gtest.h>

#include "tests/support/image_builder.h"

namespace m1::testing {
namespace {

TEST(ImageBuilder, CrcIsCcittWithAllOnesStart) {
  EXPECT_EQ(Crc16Ccitt(Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0x29B1);
  // The ID field of track 0, side 0, sector 1, 256 bytes in MFM, with its three A1 sync bytes.
  EXPECT_EQ(Crc16Ccitt(Bytes{0xA1, 0xA1, 0xA1, 0xFE, 0x00, 0x00, 0x01, 0x01}), 0xFA0C);
}

}  // namespace
}  // namespace m1::testing
