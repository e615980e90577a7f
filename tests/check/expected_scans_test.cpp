// The record keeps four bits per scan bit in blocks of 2^17 items; the check
// reads the bits of a scan in runs, one block at a time.
#include "check/expected_scans.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel {
namespace {

TEST(ExpectedScans, BitsReadInRunsCrossBlocksAndStopWhereAsked) {
  constexpr size_t kBits = 300000;  // a scan over three blocks
  std::vector<uint8_t> codes(kBits);
  for (size_t i = 0; i < kBits; ++i) codes[i] = static_cast<uint8_t>((i * 7 + i / 5) % 9);
  ExpectedScans scans;
  scans.reset(true);
  scans.beginScan(false);
  scans.addBitCodes(codes.data(), kBits);
  scans.resetByTrst();

  ExpectedScans::Reader reader(scans);
  ASSERT_EQ(reader.peek(), ExpectedScans::Reader::Start);
  reader.takeStart();
  size_t next = 0;
  const auto same = [&](uint8_t code) { return code == codes[next++]; };
  // Runs of different lengths, up to a bit `take` refuses, which stays next.
  EXPECT_EQ(reader.takeBitCodes(131000, same), 131000u);
  EXPECT_EQ(reader.takeBitCodes(100000, same), 100000u);
  const auto refuseAt = [&](size_t stop) {
    return [&, stop](uint8_t code) { return next != stop && code == codes[next++]; };
  };
  EXPECT_EQ(reader.takeBitCodes(kBits, refuseAt(262144)), 262144u - 231000u);
  EXPECT_EQ(reader.takeBitCodes(kBits, same), kBits - 262144u) << "past the end of the scan";
  EXPECT_EQ(next, kBits);
  EXPECT_EQ(reader.peek(), ExpectedScans::Reader::End);
}

}  // namespace
}  // namespace vantrel
