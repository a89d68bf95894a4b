#include "link_tcp/ByteManipulation.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/PanelFixture.h"

namespace dazi {
namespace {

TEST(ByteManipulation, JoinBytesIsHighTimes128PlusLowUnmasked) {
  EXPECT_EQ(JoinBytes(5, 2), 261);
  EXPECT_EQ(JoinBytes(127, 127), 16383);
  EXPECT_EQ(JoinBytes(255, 254), 32767);                   // the largest that fits
  EXPECT_THROW(JoinBytes(128, 255), std::overflow_error);  // 32768
}

TEST(ByteManipulation, SplitRunByteReturnsBit6AndKeepsLowSixBits) {
  struct Case {
    uint8_t in, flag, rest;
  } cases[] = {{70, 1, 6}, {63, 0, 63}, {64, 1, 0}, {128, 0, 0}, {255, 1, 63}};
  for (auto [in, flag, rest] : cases) {
    uint8_t b = in;
    EXPECT_EQ(SplitRunByte(b), flag) << int(in);
    EXPECT_EQ(b, rest) << int(in);
  }
}

TEST(ByteManipulation, ChecksumSumsTheBodyIn7Bits) {
  const std::vector<uint8_t> received{252, 100, 50, 22, 255};
  EXPECT_EQ(ComputeChecksum(received, 2), 22);
  EXPECT_EQ(ComputeChecksum(std::vector<uint8_t>{252, 0, 255}, 2), 0);  // empty body
  EXPECT_EQ(ComputeChecksum(std::vector<uint8_t>{234, 100, 3, 0}, 0), 103);
  EXPECT_EQ(ComputeChecksum(std::vector<uint8_t>{0, 127, 127, 127}, 0), 125);
  EXPECT_EQ(ComputeChecksum(std::vector<uint8_t>{}, 0), 0);
  EXPECT_EQ(ComputeChecksum(std::vector<uint8_t>{200}, 2), 0);
}

TEST(ByteManipulation, FindEOMGivesOneBasedPositionOfFirst255) {
  EXPECT_EQ(FindEOM(std::vector<uint8_t>{242, 2, 255, 9, 255}), 3);
  EXPECT_EQ(FindEOM(std::vector<uint8_t>{242, 2, 9}), 0);
  EXPECT_EQ(FindEOM(std::vector<uint8_t>{}), 0);
}

TEST(ByteManipulation, TrimBufferCutsTheHead) {
  testing::PanelFixture f;
  const uint8_t bytes[] = {1, 2, 3};
  f.panel.Received.Append(bytes, 3);
  EXPECT_EQ(TrimBuffer(f.panel, 2), (std::vector<uint8_t>{1, 2}));
  EXPECT_TRUE(TrimBuffer(f.panel, 0).empty());
  EXPECT_EQ(TrimBuffer(f.panel, 5), (std::vector<uint8_t>{3}));
  EXPECT_TRUE(f.panel.Received.Empty());
}

TEST(ByteManipulation, AppendNumberSends14BitsLowFirst) {
  std::vector<uint8_t> m;
  AppendNumber(m, 300);
  AppendNumber(m, 16383);
  EXPECT_EQ(m, (std::vector<uint8_t>{44, 2, 127, 127}));
  EXPECT_THROW(AppendNumber(m, 16384), std::out_of_range);
  EXPECT_THROW(AppendNumber(m, -1), std::out_of_range);
}

}  // namespace
}  // namespace dazi
