#include <gtest/gtest.h>

#include "frame_reader.h"
#include "panel_messages.h"
#include "server_messages.h"
#include "switcher.h"
#include "trace_format.h"
#include "wire.h"

namespace sim {
namespace {

Bytes Feed(FrameReader& reader, const Bytes& bytes) {
    reader.Append(bytes.data(), bytes.size());
    return bytes;
}

// Collects every piece the reader gives now, as (kind, bytes).
std::vector<Frame> Drain(FrameReader& reader) {
    std::vector<Frame> frames;
    while (auto f = reader.Next()) {
        frames.push_back(*f);
    }
    return frames;
}

TEST(Wire, FourteenBitNumbersAndChecksums) {
    for (int v : {0, 1, 127, 128, 255, 1000, 16383}) {
        Bytes b;
        Put14(b, v);
        ASSERT_EQ(b.size(), 2u);
        EXPECT_LT(b[0], 0x80);
        EXPECT_LT(b[1], 0x80);
        EXPECT_EQ(Word14(b[0], b[1]), v);
    }
    Bytes change{0xFE};
    Put14(change, 37 + 0x400);
    Put14(change, 5);
    Put14(change, 12);
    Seal(change);
    EXPECT_EQ(change, (Bytes{0xFE, 0x25, 0x08, 0x05, 0x00, 0x0C, 0x00, 0x3E, 0xFF}));
    EXPECT_TRUE(ChecksumOk(change));
    change[7] = 0x3F;
    EXPECT_FALSE(ChecksumOk(change));
    EXPECT_FALSE(ChecksumOk(Bytes{0xFE, 0xFF}));
}

TEST(FrameReader, CutsTheStreamLikeThePanel) {
    FrameReader r;
    Feed(r, {0x01, 0x02, 0x7F});
    auto f = Drain(r);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].kind, Frame::Kind::Stray);
    EXPECT_EQ(r.Buffered(), 0u);

    // Stray bytes, a poll, then a framed message split over two reads.
    Feed(r, {0x05, 0xF5, 0xFE, 0x25, 0x08});
    f = Drain(r);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].kind, Frame::Kind::Stray);
    EXPECT_EQ(f[1].kind, Frame::Kind::Single);
    EXPECT_EQ(f[1].bytes, Bytes{0xF5});
    EXPECT_EQ(r.Buffered(), 3u);
    Feed(r, {0x05, 0x00, 0x0C, 0x00, 0x3E, 0xFF, 0x81, 0x07, 0x01, 0x08, 0xFF});
    f = Drain(r);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].kind, Frame::Kind::Framed);
    EXPECT_EQ(f[0].bytes.size(), 9u);
    EXPECT_EQ(f[1].bytes, (Bytes{0x81, 0x07, 0x01, 0x08, 0xFF}));

    // A poll inside an unfinished message cuts it short; its tail is stray,
    // and the lone 0xFF after it is a one-byte message.
    Feed(r, {0xF2, 0x00, 0x07, 0xF4, 0x00, 0x40, 0xFF});
    f = Drain(r);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].kind, Frame::Kind::CutShort);
    EXPECT_EQ(f[0].bytes, (Bytes{0xF2, 0x00, 0x07}));
    EXPECT_EQ(f[1].bytes, Bytes{0xF4});
    EXPECT_EQ(f[2].kind, Frame::Kind::Stray);
    EXPECT_EQ(f[3].kind, Frame::Kind::Framed);
    EXPECT_EQ(f[3].bytes, Bytes{0xFF});
}

TEST(FrameReader, DropsAnOverlongMessageAndRecovers) {
    FrameReader r(16);
    Bytes flood(20, 0x11);
    flood[0] = 0xF6;
    Feed(r, flood);
    auto f = Drain(r);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].kind, Frame::Kind::Overflow);
    EXPECT_EQ(r.Buffered(), 0u);
    // The rest of the flood is stray, its end byte a lone message; the poll behind gets through.
    Feed(r, {0x11, 0x11, 0xFF, 0xF5});
    f = Drain(r);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].kind, Frame::Kind::Stray);
    EXPECT_EQ(f[1].bytes, Bytes{0xFF});
    EXPECT_EQ(f[2].bytes, Bytes{0xF5});
}

TEST(PanelMessages, DecodesAndRejects) {
    const Bytes first{0xF2, 0x00, 0x07, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x47, 0xFF};
    const auto r = DecodeInfoRequest(first);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->first, 0x380u);
    EXPECT_EQ(r->second, 0x2000u);
    const Bytes high{0xF2, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0, 0, 0, 0, 0x15, 0xFF};
    ASSERT_TRUE(DecodeInfoRequest(high));
    EXPECT_EQ(DecodeInfoRequest(high)->first, 1u | 2u << 7 | 3u << 14 | 4u << 21);
    EXPECT_EQ(DecodeInfoRequest(high)->second, 5u | 6u << 7);
    Bytes bad = first;
    bad[11] = 0x48;
    EXPECT_FALSE(DecodeInfoRequest(bad));
    EXPECT_FALSE(DecodeInfoRequest(Bytes(first.begin() + 1, first.end())));

    const Bytes change{0xFE, 0x25, 0x08, 0x05, 0x00, 0x0C, 0x00, 0x3E, 0xFF};
    const auto c = DecodeCrosspointChange(change);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->code, 37);
    EXPECT_EQ(c->input, 5);
    EXPECT_EQ(c->output, 12);
    // Without the request flag: 0x25 0x00, checksum 0x36.
    EXPECT_FALSE(DecodeCrosspointChange({0xFE, 0x25, 0x00, 0x05, 0x00, 0x0C, 0x00, 0x36, 0xFF}));

    EXPECT_TRUE(IsTypeReply({0x81, 0x07, 0x01, 0x08, 0xFF}));
    EXPECT_FALSE(IsTypeReply({0x81, 0x07, 0x01, 0x09, 0xFF}));
    EXPECT_FALSE(IsTypeReply({0x81, 0x64, 0x64, 0xFF}));
}

TEST(ServerMessages, TablesCarryEveryStation) {
    Switcher sw({"DIRECTOR  ", "CAMERA 1  ", "AUDIO     "});
    const Bytes alpha = AlphaTable(kOutputNamesType, 10, sw);
    ASSERT_EQ(alpha.size(), 3u * (10 + 2) + 9);
    EXPECT_TRUE(ChecksumOk(alpha));
    EXPECT_EQ(alpha[1], 20);
    EXPECT_EQ(alpha[2], 10);
    EXPECT_EQ(Word14(alpha[3], alpha[4]), 3);
    EXPECT_EQ(Word14(alpha[5], alpha[6]), 0);
    const std::size_t record2 = 7 + 2 * 12;
    EXPECT_EQ(std::string(alpha.begin() + record2, alpha.begin() + record2 + 10), "AUDIO     ");
    EXPECT_EQ(Word14(alpha[record2 + 10], alpha[record2 + 11]), 2);

    ASSERT_EQ(sw.Apply(kMakeTalk, 2, 1), ChangeResult::Applied);
    ASSERT_EQ(sw.Apply(kMakeTalk, 0, 1), ChangeResult::Applied);
    const Bytes map = CrosspointMap(sw, 0, 3);
    // 8 bytes of frame, three block heads, two 4-byte entries.
    ASSERT_EQ(map.size(), 8u + 3 * 3 + 2 * 4);
    EXPECT_TRUE(ChecksumOk(map));
    EXPECT_EQ(Word14(map[2], map[3]), 3);
    EXPECT_EQ(Word14(map[9], map[10]), 2);  // output 1: K
    EXPECT_EQ(map[11], 1);                  // its level
    EXPECT_EQ(Word14(map[12], map[13]), 2);
    EXPECT_EQ(Word14(map[16], map[17]), 0);
    const Bytes one = CrosspointMap(sw, 1, 1);
    EXPECT_EQ(Word14(one[4], one[5]), 1);
    EXPECT_EQ(one.size(), 8u + 3 + 2 * 4);

    const Bytes icom = IcomChannelTable(3);
    EXPECT_EQ(icom, (Bytes{0xDE, 0, 3, 0, 0, 0, 1, 0, 2, 0, 6, 0xFF}));
    EXPECT_EQ(TypeRequest(), (Bytes{0x81, 0x64, 0x64, 0xFF}));
}

TEST(Switcher, CrosspointSetsAndLevels) {
    Switcher sw(std::vector<std::string>(4, "X"));
    EXPECT_EQ(sw.Apply(kMakeListen, 1, 2), ChangeResult::Applied);
    EXPECT_EQ(sw.Output(2).level, 0);
    EXPECT_EQ(sw.Apply(kMakeTalk, 3, 2), ChangeResult::Applied);
    EXPECT_EQ(sw.Output(2).level, 1);
    EXPECT_EQ(sw.Apply(kMakeListen, 1, 2), ChangeResult::Applied);  // already in: stays first
    EXPECT_EQ(sw.Output(2).sources, (std::vector<int>{1, 3}));
    EXPECT_EQ(sw.Output(2).level, 0);
    EXPECT_EQ(sw.Apply(kBreakTalk, 1, 2), ChangeResult::Applied);
    EXPECT_EQ(sw.Apply(kBreakListen, 0, 2), ChangeResult::Applied);  // not there: no change
    EXPECT_EQ(sw.Output(2).sources, (std::vector<int>{3}));
    EXPECT_EQ(sw.Apply(kMakeTalk, 0, 2), ChangeResult::Applied);
    EXPECT_EQ(sw.Apply(kBreakListen, 0, 2), ChangeResult::Applied);
    EXPECT_EQ(sw.Output(2).level, 1);  // a break leaves the level of the last make
    EXPECT_EQ(sw.Apply(kBreakListen, 3, 2), ChangeResult::Applied);
    EXPECT_TRUE(sw.Output(2).sources.empty());
    EXPECT_EQ(sw.Output(2).level, 0);

    EXPECT_EQ(sw.Apply(kMakeTalk, 4, 0), ChangeResult::OutOfRange);
    EXPECT_EQ(sw.Apply(kMakeTalk, 0, 16383), ChangeResult::OutOfRange);
    EXPECT_EQ(sw.Apply(kMakeTalk, -1, 0), ChangeResult::OutOfRange);
    EXPECT_EQ(sw.Apply(38, 0, 0), ChangeResult::UnknownCode);
    EXPECT_TRUE(sw.Output(0).sources.empty());
    EXPECT_FALSE(sw.Clear(4));

    Switcher big(std::vector<std::string>(70, "X"));
    for (int i = 0; i < kMaxSourcesPerOutput; ++i) {
        ASSERT_EQ(big.Apply(kMakeTalk, i, 0), ChangeResult::Applied);
    }
    EXPECT_EQ(big.Apply(kMakeTalk, 64, 0), ChangeResult::Full);
    EXPECT_EQ(big.Output(0).sources.size(), 64u);
    EXPECT_TRUE(big.Clear(0));
    EXPECT_EQ(big.Output(0).level, 0);
    EXPECT_TRUE(big.Output(0).sources.empty());
}

TEST(TraceFormat, NamesFieldsAndHex) {
    EXPECT_EQ(TraceLine('<', 1, Describe({0xFE, 0x25, 0x08, 0x05, 0x00, 0x0C, 0x00, 0x3E, 0xFF}),
                        {0xFE, 0x25, 0x08, 0x05, 0x00, 0x0C, 0x00, 0x3E, 0xFF}),
              "< panel 1 crosspoint-change code=37 in=5 out=12  FE 25 08 05 00 0C 00 3E FF");
    EXPECT_EQ(
        Describe({0xF2, 0x00, 0x07, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x47, 0xFF}),
        "info-request first=0x380 second=0x2000");
    EXPECT_EQ(Describe({0xF5}), "poll");
    EXPECT_EQ(Describe({0xEB, 0x01, 0xFF}), "unknown command=0xEB");
    EXPECT_EQ(Describe({0xF6, 0, 1, 0, 2, 0, 0x7F, 0xFF}),
              "crosspoint-map type=0 outputs=1 start=2 bad-checksum");
    const std::string hex = Hex(Bytes(100, 0xAB));
    EXPECT_NE(hex.find("(100 bytes)"), std::string::npos);
    EXPECT_LT(hex.size(), 200u);
}

}  // namespace
}  // namespace sim
