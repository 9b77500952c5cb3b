#include "MessageLayout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CaseName.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An entry as the reader gave it, its name copied out of the reply.
struct Listed {
    uint16_t location;
    std::u16string name;
    bool operator==(const Listed &other) const { return location == other.location && name == other.name; }
};
void PrintTo(const Listed &e, std::ostream *os) { *os << "{" << e.location << ", " << e.name.size() << " units}"; }

std::u16string NameOf(const ReplyName &name)
{
    std::u16string text(name.count, u'\0');
    CopyReplyName(name, text.data());
    return text;
}

Bytes BytesOf(const RequestBytes &request)
{
    return Bytes(request.bytes, request.bytes + request.size);
}

// ---- SwapUtf16Bytes ----

TEST(SwapUtf16Bytes, SwapsEachUnitIntoTheDestination)
{
    const uint8_t src[] = {0x00, 0x61, 0x30, 0x42, 0xAB, 0xCD};
    uint8_t dst[6] = {};
    EXPECT_EQ(1, SwapUtf16Bytes(dst, src, 3));
    EXPECT_EQ(Bytes(dst, dst + 6), (Bytes{0x61, 0x00, 0x42, 0x30, 0xCD, 0xAB}));
}

TEST(SwapUtf16Bytes, SwapsInPlaceAndBackAgain)
{
    uint8_t units[] = {0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(1, SwapUtf16Bytes(units, units, 2));
    EXPECT_EQ(Bytes(units, units + 4), (Bytes{0x34, 0x12, 0x78, 0x56}));
    EXPECT_EQ(1, SwapUtf16Bytes(units, units, 2));
    EXPECT_EQ(Bytes(units, units + 4), (Bytes{0x12, 0x34, 0x56, 0x78}));
}

struct SwapCase {
    const char *what;
    int count;
    Bytes expected; // the six destination bytes afterwards, from all 0xEE
};
void PrintTo(const SwapCase &c, std::ostream *os) { *os << c.what; }

class SwapCount : public ::testing::TestWithParam<SwapCase> {};

TEST_P(SwapCount, TouchesExactlyTheUnitsCounted)
{
    // Units a, terminator, b: -1 stops after the terminator.
    const uint8_t src[] = {0x00, 0x61, 0x00, 0x00, 0x00, 0x62};
    uint8_t dst[6];
    std::memset(dst, 0xEE, sizeof dst);
    EXPECT_EQ(1, SwapUtf16Bytes(dst, src, GetParam().count));
    EXPECT_EQ(Bytes(dst, dst + 6), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SwapCount,
    ::testing::Values(SwapCase{"zero", 0, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}},
                      SwapCase{"one", 1, {0x61, 0x00, 0xEE, 0xEE, 0xEE, 0xEE}},
                      SwapCase{"to terminator", -1, {0x61, 0x00, 0x00, 0x00, 0xEE, 0xEE}},
                      SwapCase{"all", 3, {0x61, 0x00, 0x00, 0x00, 0x62, 0x00}},
                      SwapCase{"other negative", -2, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}}), CaseName());

TEST(SwapUtf16Bytes, NullPointersDoNothing)
{
    uint8_t units[] = {0x12, 0x34};
    EXPECT_EQ(0, SwapUtf16Bytes(nullptr, units, 1));
    EXPECT_EQ(0, SwapUtf16Bytes(units, nullptr, 1));
    EXPECT_EQ(0, SwapUtf16Bytes(nullptr, nullptr, 0));
    EXPECT_EQ(Bytes(units, units + 2), (Bytes{0x12, 0x34}));
}

// ---- Requests ----

struct RequestCase {
    const char *what;
    Bytes built;
    Bytes expected;
};
void PrintTo(const RequestCase &c, std::ostream *os) { *os << c.what; }

class Requests : public ::testing::TestWithParam<RequestCase> {};

TEST_P(Requests, AreByteForByte)
{
    EXPECT_EQ(GetParam().built, GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    All, Requests,
    ::testing::Values(
        RequestCase{"main listing", BytesOf(BuildListRequest(MainListing)), {0x1F, 0x07, 0x00, 0x00, 0xFE, 0x00}},
        RequestCase{"location listing", BytesOf(BuildListRequest(LocationListing)),
                    {0x1F, 0x07, 0x00, 0x00, 0x00, 0x02}},
        RequestCase{"read", BytesOf(BuildReadRequest(0x0102)), {0x1F, 0x12, 0x01, 0x02}},
        RequestCase{"read highest", BytesOf(BuildReadRequest(0xFFFF)), {0x1F, 0x12, 0xFF, 0xFF}},
        RequestCase{"erase", BytesOf(BuildEraseRequest(0x00A5)), {0x1F, 0x10, 0x00, 0xA5}},
        RequestCase{"erase high byte", BytesOf(BuildEraseRequest(0x8000)), {0x1F, 0x10, 0x80, 0x00}}), CaseName());

TEST(WriteHeader, NewRingtoneAbcIsTheKnownMessage)
{
    RequestBytes header;
    ASSERT_TRUE(BuildWriteHeader(NewRingtoneLocation, u"abc", 3, 4, header));
    Bytes message = BytesOf(header);
    message.insert(message.end(), {0x01, 0x02, 0x03, 0x04, 0x00, 0x00});
    EXPECT_EQ(message, (Bytes{0x1F, 0x0E, 0x7F, 0xFF, 0xFE, 0x03, 0x00, 0x61, 0x00, 0x62, 0x00,
                              0x63, 0x00, 0x04, 0x01, 0x02, 0x03, 0x04, 0x00, 0x00}));
}

TEST(WriteHeader, NamelessHeaderHoldsTheDataLengthAtSix)
{
    RequestBytes header;
    ASSERT_TRUE(BuildWriteHeader(0x0203, nullptr, 0, 0x1234, header));
    EXPECT_EQ(BytesOf(header), (Bytes{0x1F, 0x0E, 0x02, 0x03, 0xFE, 0x00, 0x12, 0x34}));
}

struct LimitCase {
    const char *what;
    size_t nameUnits;
    size_t dataBytes;
    bool built;
};
void PrintTo(const LimitCase &c, std::ostream *os) { *os << c.what; }

class WriteLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(WriteLimits, RefuseWhatTheHeaderCannotHold)
{
    std::u16string name(200, u'\u00E9');
    RequestBytes built;
    built.bytes[0] = 0xAA;
    built.size = 1;
    EXPECT_EQ(BuildWriteHeader(1, name.c_str(), GetParam().nameUnits, GetParam().dataBytes, built),
              GetParam().built) << GetParam().what;
    Bytes header = BytesOf(built);
    if (!GetParam().built) {
        EXPECT_EQ(header, Bytes{0xAA}) << GetParam().what;
        return;
    }
    size_t n = GetParam().nameUnits;
    ASSERT_EQ(header.size(), 8 + 2 * n);
    EXPECT_EQ(header[5], static_cast<uint8_t>(n));
    EXPECT_EQ(header[6], 0x00);
    EXPECT_EQ(header[7], 0xE9);
    EXPECT_EQ(header[6 + 2 * n], static_cast<uint8_t>(GetParam().dataBytes >> 8));
    EXPECT_EQ(header[7 + 2 * n], static_cast<uint8_t>(GetParam().dataBytes));
}

INSTANTIATE_TEST_SUITE_P(All, WriteLimits,
                         ::testing::Values(LimitCase{"longest name", 124, 10, true},
                                           LimitCase{"name too long", 125, 10, false},
                                           LimitCase{"largest data", 1, 65535, true},
                                           LimitCase{"data too large", 1, 65536, false},
                                           LimitCase{"both too large", 200, 1u << 20, false}), CaseName());

TEST(WriteHeader, RefusesMissingNameWithUnits)
{
    RequestBytes header;
    EXPECT_FALSE(BuildWriteHeader(1, nullptr, 2, 0, header));
}

// ---- Reply type ----

TEST(IsReplyOfType, NeedsTwoBytesAndLooksAtByteOneOnly)
{
    const uint8_t reply[] = {0x55, 0x0F};
    EXPECT_TRUE(IsReplyOfType(reply, 2, WriteResp));
    EXPECT_FALSE(IsReplyOfType(reply, 2, EraseResp));
    EXPECT_FALSE(IsReplyOfType(reply, 1, WriteResp));
    EXPECT_FALSE(IsReplyOfType(nullptr, 2, WriteResp));
}

// ---- ListResp ----

// Big-endian 16-bit values, one after another.
void Put16(Bytes &out, std::initializer_list<size_t> values)
{
    for (size_t v : values) {
        out.push_back(static_cast<uint8_t>(v >> 8));
        out.push_back(static_cast<uint8_t>(v));
    }
}

void PutName(Bytes &out, const std::u16string &name)
{
    for (char16_t c : name)
        Put16(out, {c});
}

// One entry: length L, location, two bytes not examined, n, the name, padding.
Bytes Entry(uint16_t length, uint16_t location, const std::u16string &name, size_t padding = 0)
{
    Bytes e;
    Put16(e, {length, location, 0x9999, name.size()});
    PutName(e, name);
    e.insert(e.end(), padding, 0x77);
    return e;
}

Bytes ListReply(uint8_t count, std::initializer_list<Bytes> entries)
{
    Bytes reply{0x1F, 0x08, 0x00, count};
    for (const Bytes &e : entries)
        reply.insert(reply.end(), e.begin(), e.end());
    return reply;
}

struct ListCase {
    const char *what;
    Bytes reply;
    bool parsed;
    std::vector<Listed> expected;
};
void PrintTo(const ListCase &c, std::ostream *os) { *os << c.what; }

class ListReplies : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListReplies, YieldTheEntriesThatLieInside)
{
    // An exact-size copy: the checkers catch any read past the reply.
    const Bytes reply = GetParam().reply;
    ListReplyReader reader;
    EXPECT_EQ(reader.Start(reply.data(), reply.size()), GetParam().parsed) << GetParam().what;
    std::vector<Listed> entries;
    for (RingtoneEntry entry; reader.Next(entry);) {
        EXPECT_GE(entry.name.units, reply.data() + 4) << GetParam().what;
        EXPECT_LE(entry.name.units + 2 * entry.name.count, reply.data() + reply.size()) << GetParam().what;
        entries.push_back({entry.location, NameOf(entry.name)});
    }
    EXPECT_EQ(entries, GetParam().expected) << GetParam().what;
    RingtoneEntry after;
    EXPECT_FALSE(reader.Next(after)) << "a listing that has ended stays ended: " << GetParam().what;
}

TEST(ListReplies, StartingAgainReadsTheNewReplyOnly)
{
    const Bytes first{0x1F, 0x08, 0x00, 0x01, 0x00, 0x0A, 0x00, 0x01, 0, 0, 0x00, 0x01, 0x00, 0x61};
    const Bytes refused{0x1F, 0x13, 0x00, 0x01};
    ListReplyReader reader;
    ASSERT_TRUE(reader.Start(first.data(), first.size()));
    EXPECT_FALSE(reader.Start(refused.data(), refused.size()));
    RingtoneEntry entry;
    EXPECT_FALSE(reader.Next(entry));
}

INSTANTIATE_TEST_SUITE_P(
    All, ListReplies,
    ::testing::Values(
        ListCase{"no entries", ListReply(0, {}), true, {}},
        ListCase{"two entries, padded", ListReply(2, {Entry(14, 0x0102, u"abc"), Entry(12, 0x7FFE, u"z", 2)}),
                 true, {{0x0102, u"abc"}, {0x7FFE, u"z"}}},
        ListCase{"empty name", ListReply(1, {Entry(8, 5, u"")}), true, {{5, u""}}},
        ListCase{"non-ASCII name", ListReply(1, {Entry(12, 9, u"\u00E9\u4E2D")}), true,
                 {{9, u"\u00E9\u4E2D"}}},
        ListCase{"count beyond the entries", ListReply(3, {Entry(10, 1, u"a")}), true, {{1, u"a"}}},
        ListCase{"second entry's length runs past the end",
                 ListReply(2, {Entry(10, 1, u"a"), Entry(40, 2, u"b")}), true, {{1, u"a"}}},
        ListCase{"second entry's name runs past the end",
                 ListReply(2, {Entry(10, 1, u"a"), {0x00, 0x0A, 0x00, 0x02, 0, 0, 0x00, 0x01, 0x00}}),
                 true, {{1, u"a"}}},
        ListCase{"entry header cut short", ListReply(2, {Entry(10, 1, u"a"), {0x00, 0x0A, 0x00}}),
                 true, {{1, u"a"}}},
        ListCase{"length below its name", ListReply(2, {Entry(9, 1, u"ab", 3), Entry(10, 2, u"c")}),
                 true, {}},
        ListCase{"zero length", ListReply(255, {Entry(0, 1, u""), Entry(8, 2, u"")}), true, {}},
        ListCase{"no entry count", {0x1F, 0x08, 0x00}, false, {}},
        ListCase{"read reply", {0x1F, 0x13, 0x00, 0x00}, false, {}},
        ListCase{"empty", {}, false, {}}), CaseName());

// ---- ReadResp ----

Bytes ReadReplyOf(uint16_t location, const std::u16string &name, Bytes data)
{
    Bytes reply{0x1F, 0x13};
    Put16(reply, {location});
    reply.push_back(0x42);
    reply.push_back(static_cast<uint8_t>(name.size()));
    PutName(reply, name);
    Put16(reply, {data.size()});
    reply.insert(reply.end(), data.begin(), data.end());
    return reply;
}

struct ReadCase {
    const char *what;
    Bytes reply;
    uint16_t asked;
    bool parsed;
    std::u16string name;
    Bytes data;
    size_t dataOffset;
};
void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.what; }

class ReadReplies : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadReplies, AreAcceptedOnlyWhenWhole)
{
    const ReadCase &c = GetParam();
    const Bytes reply = c.reply;
    ReadReply out;
    ASSERT_EQ(ParseReadReply(reply.data(), reply.size(), c.asked, out), c.parsed) << c.what;
    if (!c.parsed) {
        EXPECT_EQ(out.name.units, nullptr) << c.what;
        EXPECT_EQ(out.data, nullptr) << c.what;
        return;
    }
    EXPECT_EQ(out.name.units, reply.data() + 6) << c.what;
    EXPECT_EQ(NameOf(out.name), c.name) << c.what;
    EXPECT_EQ(out.data, reply.data() + c.dataOffset) << c.what;
    EXPECT_EQ(Bytes(out.data, out.data + out.dataSize), c.data) << c.what;
}

Bytes Truncated(Bytes reply, size_t drop)
{
    reply.resize(reply.size() - drop);
    return reply;
}

INSTANTIATE_TEST_SUITE_P(
    All, ReadReplies,
    ::testing::Values(
        ReadCase{"named tone", ReadReplyOf(0x0102, u"ab", {0x4D, 0x54}), 0x0102, true, u"ab", {0x4D, 0x54}, 12},
        ReadCase{"no name: data length at 6, data at 8", ReadReplyOf(3, u"", {0x01, 0x02, 0x03}), 3, true,
                 u"", {0x01, 0x02, 0x03}, 8},
        ReadCase{"no data", ReadReplyOf(3, u"x", {}), 3, true, u"x", {}, 10},
        ReadCase{"trailing bytes ignored", {0x1F, 0x13, 0, 3, 0, 0, 0, 1, 0x01, 0xEE}, 3, true, u"", {0x01}, 8},
        ReadCase{"another location", ReadReplyOf(0x0103, u"ab", {0x01}), 0x0102, false, u"", {}, 0},
        ReadCase{"list reply", {0x1F, 0x08, 0x01, 0x02, 0x00, 0x00, 0x00, 0x00}, 0x0102, false, u"", {}, 0},
        ReadCase{"data cut short", Truncated(ReadReplyOf(1, u"ab", {1, 2, 3}), 1), 1, false, u"", {}, 0},
        ReadCase{"data length cut short", Truncated(ReadReplyOf(1, u"ab", {}), 1), 1, false, u"", {}, 0},
        ReadCase{"name cut short", Truncated(ReadReplyOf(1, u"ab", {}), 3), 1, false, u"", {}, 0},
        ReadCase{"no name length", {0x1F, 0x13, 0x00, 0x01, 0x00}, 1, false, u"", {}, 0},
        ReadCase{"empty", {}, 0, false, u"", {}, 0}), CaseName());

} // namespace
