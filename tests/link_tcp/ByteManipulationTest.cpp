#include "link_tcp/ByteManipulation.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace dazi {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ByteManipulation, NumbersTravelAsTwo7BitBytesLowFirst) {
  EXPECT_EQ(JoinBytes(5, 2), 261);
  EXPECT_EQ(JoinBytes(127, 127), 16383);
  EXPECT_EQ(JoinBytes(255, 254), 32767);
  EXPECT_THROW(JoinBytes(128, 255), std::overflow_error);  // 32768
  Bytes m;
  AppendNumber(m, 300);
  AppendNumber(m, 16383);
  EXPECT_EQ(m, (Bytes{44, 2, 127, 127}));
  EXPECT_THROW(AppendNumber(m, 16384), std::out_of_range);
  EXPECT_THROW(AppendNumber(m, -1), std::out_of_range);
}

TEST(ByteManipulation, SplitRunByteReturnsBit6AndKeepsLowSixBits) {
  const uint8_t cases[][3] = {{70, 1, 6}, {63, 0, 63}, {64, 1, 0}, {128, 0, 0}, {255, 1, 63}};
  for (const auto& [in, flag, rest] : cases) {
    uint8_t b = in;
    EXPECT_EQ(SplitRunByte(b), flag) << int(in);
    EXPECT_EQ(b, rest) << int(in);
  }
}

TEST(ByteManipulation, ChecksumSumsTheBodyIn7Bits) {
  EXPECT_EQ(ComputeChecksum(Bytes{252, 100, 50, 22, 255}, 2), 22);
  EXPECT_EQ(ComputeChecksum(Bytes{252, 0, 255}, 2), 0);  // empty body
  EXPECT_EQ(ComputeChecksum(Bytes{234, 100, 3, 0}, 0), 103);
  EXPECT_EQ(ComputeChecksum(Bytes{0, 127, 127, 127}, 0), 125);
  EXPECT_EQ(ComputeChecksum(Bytes{}, 0), 0);
}

TEST(ByteManipulation, FindEOMGivesTheOneBasedPositionOfTheFirst255) {
  EXPECT_EQ(FindEOM(Bytes{242, 2, 255, 9, 255}), 3);
  EXPECT_EQ(FindEOM(Bytes{242, 2, 9}), 0);
}

}  // namespace
}  // namespace dazi
