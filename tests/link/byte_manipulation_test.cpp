#include "link/byte_manipulation.h"

#include <gtest/gtest.h>

#include "link/receive_buffer.h"
#include "link_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using ByteManipulationTest = LinkTest;

TEST(ByteManipulation, WordsAndChecksums) {
    EXPECT_EQ(kv::MakeWord14(0x7F, 0x7F), 16383);
    EXPECT_EQ(kv::MakeWord14(0x05, 0x02), 261);
    EXPECT_EQ(kv::MakeWord14(0, 0), 0);

    const Bytes built{0xF2, 0x00, 0x07, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(kv::Checksum(built, 0), 0x47);
    const Bytes received{0x81, 0x64, 0x7F, 0x63, 0xFF};  // 0x64 + 0x7F = 0xE3, mod 128 = 0x63
    EXPECT_EQ(kv::Checksum(received, 2), 0x63);
    EXPECT_TRUE(kv::ChecksumMatches(received));
    Bytes off = received;
    off[3] = 0x64;
    EXPECT_FALSE(kv::ChecksumMatches(off));
    EXPECT_EQ(kv::Checksum(Bytes{0x81}, 2), 0);  // nothing to sum
    EXPECT_FALSE(kv::ChecksumMatches(Bytes{0xFF}));
    EXPECT_FALSE(kv::ChecksumMatches(Bytes{0x81, 0xFF}));
}

TEST_F(ByteManipulationTest, FindEOMGivesTheOneBasedPositionOfTheFirstEndByte) {
    EXPECT_EQ(kv::FindEOM(v, Bytes{0xE5, 0x01, 0xFF, 0xFF}), 3);
    EXPECT_EQ(kv::FindEOM(v, Bytes{0xFF}), 1);
    EXPECT_EQ(kv::FindEOM(v, Bytes{0xE5, 0x01, 0x02}), 0);
    EXPECT_EQ(kv::FindEOM(v, Bytes{}), 0);
}

TEST_F(ByteManipulationTest, TrimBufferTakesFromTheFrontWithoutCopyingTheRest) {
    Bytes data(1000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(i % 251);
    }
    kv::AppendReceived(v, data);
    const uint8_t* storage = v.ReceiveBuffer.Data.data();

    EXPECT_EQ(kv::TrimBuffer(v, 3), (Bytes{0, 1, 2}));
    EXPECT_EQ(v.ReceiveBuffer.Start, 3u);
    EXPECT_EQ(v.ReceiveBuffer.Data.data(), storage);  // nothing moved
    EXPECT_EQ(Live().front(), 3);

    // Once the dead front outgrows the live part it is compacted away, order kept.
    EXPECT_EQ(kv::TrimBuffer(v, 497).back(), 499 % 251);
    EXPECT_EQ(v.ReceiveBuffer.Start, 500u);
    kv::TrimBuffer(v, 1);
    EXPECT_EQ(v.ReceiveBuffer.Start, 0u);
    EXPECT_EQ(Live().size(), 499u);
    EXPECT_EQ(Live().front(), 501 % 251);
    EXPECT_EQ(Live().back(), 999 % 251);

    EXPECT_EQ(kv::TrimBuffer(v, 5000).size(), 499u);  // more than there is: all of it
    EXPECT_TRUE(Live().empty());
    EXPECT_TRUE(kv::TrimBuffer(v, 1).empty());
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(ByteManipulationTest, TrimBufferWithoutACountIsAFailure) {
    kv::AppendReceived(v, Bytes{1, 2, 3});
    EXPECT_TRUE(kv::TrimBuffer(v, 0).empty());
    EXPECT_EQ(Live().size(), 3u);
    EXPECT_EQ(LogCount("Error Trimming Buffer"), 1);
    EXPECT_EQ(LogCount("Switcher Buffer Error"), 1);
}

}  // namespace
