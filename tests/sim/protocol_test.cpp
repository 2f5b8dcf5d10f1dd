#include <gtest/gtest.h>

#include "frame_reader.h"
#include "panel_messages.h"
#include "switcher.h"
#include "trace_format.h"

namespace sim {
namespace {

// "FE 25 08" as bytes.
Bytes B(std::string_view hex) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3) {
        out.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return out;
}

TEST(FrameReader, CutsTheStreamLikeThePanel) {
    const struct {
        std::vector<const char*> reads;  // with a cap of 4 bytes on an unfinished message
        const char* pieces;              // in order, after the last read
        std::size_t left;                // bytes of an unfinished message still waiting
    } cases[] = {
        {{"05 F5 81 07", "01 08 FF"}, "stray 05|single F5|framed 81 07 01 08 FF|", 0},
        // A command byte cuts a message short; its tail is stray, a lone end byte a message.
        {{"F2 00 07 F4 00 40 FF F2 01"}, "cut F2 00 07|single F4|stray 00 40|framed FF|", 2},
        {{"F1 F3 F4 F5"}, "single F1|single F3|single F4|single F5|", 0},
        {{"F6 11 11 11 11", "11 FF F5"}, "over F6 11 11 11 11|stray 11|framed FF|single F5|", 0},
        {{"F6 11 11 11"}, "", 4},
    };
    const char* const kKinds[] = {"single", "framed", "stray", "cut", "over"};
    for (const auto& c : cases) {
        FrameReader reader(4);
        std::string pieces;
        for (const char* read : c.reads) {
            const Bytes bytes = B(read);
            reader.Append(bytes.data(), bytes.size());
            while (const auto f = reader.Next()) {
                pieces += kKinds[static_cast<int>(f->kind)] + (" " + Hex(f->bytes)) + "|";
            }
        }
        EXPECT_EQ(pieces, c.pieces);
        EXPECT_EQ(reader.Buffered(), c.left) << c.pieces;
    }
}

TEST(PanelMessages, FourteenBitNumbersAndTheFieldsOfEachRequest) {
    for (int v : {0, 127, 128, 1000, 16383}) {
        Bytes b;
        Put14(b, v);
        EXPECT_TRUE(b.size() == 2 && b[0] < 0x80 && b[1] < 0x80 && Word14(b[0], b[1]) == v) << v;
    }
    const auto high = DecodeInfoRequest(B("F2 01 02 03 04 05 06 00 00 00 00 15 FF"));
    ASSERT_TRUE(high);
    EXPECT_EQ(std::pair(high->first, high->second),
              std::pair(1u | 2u << 7 | 3u << 14 | 4u << 21, 5u | 6u << 7));
    const auto change = DecodeCrosspointChange(B("FE 25 08 05 00 0C 00 3E FF"));
    ASSERT_TRUE(change);
    EXPECT_EQ(std::tuple(change->code, change->input, change->output), std::tuple(37, 5, 12));
}

TEST(Switcher, SetsInOrderLevelsFollowTheLastMake) {
    constexpr auto kDone = ChangeResult::Applied;
    constexpr auto kOut = ChangeResult::OutOfRange;
    // Each change to a switcher of four stations, and output 2 afterwards: inputs, level. The
    // other refusals come over the wire in the server tests; a negative input cannot.
    const std::tuple<int, int, int, ChangeResult, std::vector<int>, int> steps[] = {
        {kMakeListen, 1, 2, kDone, {1}, 0},     {kMakeTalk, 3, 2, kDone, {1, 3}, 1},
        {kMakeListen, 1, 2, kDone, {1, 3}, 0},  // already in: keeps its place
        {kBreakTalk, 0, 2, kDone, {1, 3}, 0},   // not in: nothing to break
        {kMakeTalk, 0, 2, kDone, {1, 3, 0}, 1}, {kBreakListen, 0, 2, kDone, {1, 3}, 1},
        {kBreakTalk, 1, 2, kDone, {3}, 1},      {kBreakListen, 3, 2, kDone, {}, 0},
        {kMakeTalk, -1, 2, kOut, {}, 0},
    };
    Switcher sw(std::vector<std::string>(4, "X"));
    for (const auto& [code, input, output, result, sources, level] : steps) {
        EXPECT_EQ(sw.Apply(code, input, output), result) << code << " " << input << " " << output;
        EXPECT_EQ(sw.Output(2).sources, sources) << code << " " << input << " " << output;
        EXPECT_EQ(sw.Output(2).level, level) << code << " " << input << " " << output;
    }

    Switcher big(std::vector<std::string>(70, "X"));
    for (int i = 0; i < kMaxSourcesPerOutput; ++i) {
        ASSERT_EQ(big.Apply(kMakeTalk, i, 0), kDone);
    }
    EXPECT_EQ(big.Apply(kMakeTalk, 64, 0), ChangeResult::Full);
    EXPECT_EQ(big.Output(0).sources.size(), 64u);
}

TEST(TraceFormat, FieldsABadChecksumAndLongRunsCut) {
    EXPECT_EQ(Describe(B("F6 00 01 00 02 00 7F FF")),
              "crosspoint-map type=0 outputs=1 start=2 bad-checksum");
    EXPECT_EQ(Hex(Bytes(100, 0xAB)).substr(141), "AB ... (100 bytes)");
}

}  // namespace
}  // namespace sim
