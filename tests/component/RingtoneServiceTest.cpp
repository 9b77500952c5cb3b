// The default phone's ringtone service, request by request, byte for byte.
#include "ComponentFixture.h"

#include "RingtoneStore.h"

namespace {

void PutU16(Bytes &out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void PutName(Bytes &out, const char *name)
{
    for (const char *c = name; *c; ++c)
        PutU16(out, static_cast<uint8_t>(*c));
}

struct Listed {
    unsigned location;
    unsigned flags;
    const char *name;
};

Bytes ListReply(std::initializer_list<Listed> entries)
{
    Bytes reply = {0x1F, 0x08, 0x00, static_cast<uint8_t>(entries.size())};
    for (const Listed &e : entries) {
        size_t units = strlen(e.name);
        PutU16(reply, static_cast<unsigned>(8 + 2 * units));
        PutU16(reply, e.location);
        PutU16(reply, e.flags);
        PutU16(reply, static_cast<unsigned>(units));
        PutName(reply, e.name);
    }
    return reply;
}

Bytes WriteRequest(unsigned location, const char *name, const Bytes &data)
{
    Bytes request = {0x1F, 0x0E};
    PutU16(request, location);
    request.push_back(0xFE);
    request.push_back(static_cast<uint8_t>(strlen(name)));
    PutName(request, name);
    PutU16(request, static_cast<unsigned>(data.size()));
    request.insert(request.end(), data.begin(), data.end());
    request.push_back(0x00);
    request.push_back(0x00);
    return request;
}

const Bytes kMainListing = {0x1F, 0x07, 0x00, 0x00, 0xFE, 0x00};
const Bytes kLocationListing = {0x1F, 0x07, 0x00, 0x00, 0x00, 0x02};

uint32_t BigEndian32(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

class TwmpcRingtoneService : public ComponentTest {
protected:
    void SetUp() override
    {
        ComponentTest::SetUp();
        stream = DefaultStream();
        ASSERT_TRUE(stream);
    }
    void TearDown() override
    {
        stream.Reset();
        ComponentTest::TearDown();
    }
    Bytes Reply(const Bytes &request)
    {
        Exchange e = Transact(stream.Get(), request);
        EXPECT_EQ(S_OK, e.begin);
        EXPECT_EQ(S_OK, e.wait);
        EXPECT_EQ(S_OK, e.recv);
        EXPECT_EQ(VT_ARRAY | VT_UI1, e.type);
        return e.reply;
    }
    ComPtr<ITWMsgStream> stream;
};

TEST_F(TwmpcRingtoneService, ListingsOfTheSampleStore)
{
    EXPECT_EQ(ListReply({{1, 1, "Bells"}, {2, 0, "Scale"}, {3, 0, "Polka"}, {4, 0, "Compact tone"}}), Reply(kMainListing));
    // Presets cannot be written over: the location listing leaves them out.
    EXPECT_EQ(ListReply({{2, 0, "Scale"}, {3, 0, "Polka"}, {4, 0, "Compact tone"}}), Reply(kLocationListing));
}

TEST_F(TwmpcRingtoneService, SamplesAreShortStandardMidiFilesBesidesOneRawEntry)
{
    for (unsigned location = 1; location <= 3; ++location) {
        Bytes reply = Reply({0x1F, 0x12, 0x00, static_cast<uint8_t>(location)});
        ASSERT_GT(reply.size(), 8u);
        EXPECT_EQ(0x13, reply[1]);
        EXPECT_EQ(location, static_cast<unsigned>(reply[2] << 8 | reply[3]));
        size_t n = reply[5];
        size_t d = static_cast<size_t>(reply[6 + 2 * n] << 8 | reply[7 + 2 * n]);
        ASSERT_EQ(8 + 2 * n + d, reply.size());
        const uint8_t *smf = reply.data() + 8 + 2 * n;
        EXPECT_GE(d, 100u);
        EXPECT_LE(d, 999u);
        EXPECT_EQ(0, memcmp(smf, "MThd\0\0\0\6\0\0\0\1", 12)) << location;
        EXPECT_EQ(0, memcmp(smf + 14, "MTrk", 4));
        EXPECT_EQ(d - 22, BigEndian32(smf + 18));
        EXPECT_EQ(0, memcmp(smf + d - 3, "\xFF\x2F\x00", 3));
    }
    Bytes raw = Reply({0x1F, 0x12, 0x00, 0x04});
    ASSERT_GT(raw.size(), 6u + 24u + 2u + 4u);
    EXPECT_NE(0, memcmp(raw.data() + 6 + 24 + 2, "MThd", 4));
}

TEST_F(TwmpcRingtoneService, WriteReadReplaceEraseRoundTrip)
{
    const Bytes data = {0x01, 0x02, 0x03, 0x04};
    const Bytes request = WriteRequest(0x7FFF, "abc", data);
    ASSERT_EQ((Bytes{0x1F, 0x0E, 0x7F, 0xFF, 0xFE, 0x03, 0x00, 0x61, 0x00, 0x62, 0x00, 0x63, 0x00, 0x04, 0x01, 0x02,
                     0x03, 0x04, 0x00, 0x00}),
              request);
    EXPECT_EQ((Bytes{0x1F, 0x0F, 0x00, 0x05}), Reply(request));
    EXPECT_EQ((Bytes{0x1F, 0x13, 0x00, 0x05, 0x00, 0x03, 0x00, 0x61, 0x00, 0x62, 0x00, 0x63, 0x00, 0x04, 0x01, 0x02,
                     0x03, 0x04}),
              Reply({0x1F, 0x12, 0x00, 0x05}));

    EXPECT_EQ((Bytes{0x1F, 0x0F, 0x00, 0x03}), Reply(WriteRequest(3, "", {0xAA})));
    EXPECT_EQ((Bytes{0x1F, 0x13, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0xAA}), Reply({0x1F, 0x12, 0x00, 0x03}));

    EXPECT_EQ((Bytes{0x1F, 0x11, 0x00, 0x05}), Reply({0x1F, 0x10, 0x00, 0x05}));
    EXPECT_EQ((Bytes{0x1F, 0xF0, 0x12, 0x02}), Reply({0x1F, 0x12, 0x00, 0x05}));
    EXPECT_EQ(ListReply({{1, 1, "Bells"}, {2, 0, "Scale"}, {3, 0, ""}, {4, 0, "Compact tone"}}), Reply(kMainListing));
}

TEST_F(TwmpcRingtoneService, RequestsItCannotParseOrCarryOutGetAnErrorReply)
{
    struct Case {
        const char *what;
        Bytes request;
        Bytes reply;
    };
    const Case cases[] = {
        {"empty message", {}, {0x1F, 0xF0, 0x00, 0x01}},
        {"one byte", {0x1F}, {0x1F, 0xF0, 0x00, 0x01}},
        {"another service", {0x20, 0x07, 0x00, 0x00, 0xFE, 0x00}, {0x1F, 0xF0, 0x07, 0x01}},
        {"unknown type", {0x1F, 0x55}, {0x1F, 0xF0, 0x55, 0x05}},
        {"a reply type sent as request", {0x1F, 0x08, 0x00, 0x00}, {0x1F, 0xF0, 0x08, 0x05}},
        {"short listing", {0x1F, 0x07, 0x00, 0x00, 0xFE}, {0x1F, 0xF0, 0x07, 0x01}},
        {"unknown listing kind", {0x1F, 0x07, 0x00, 0x00, 0x00, 0x01}, {0x1F, 0xF0, 0x07, 0x01}},
        {"short read", {0x1F, 0x12, 0x00}, {0x1F, 0xF0, 0x12, 0x01}},
        {"read of an empty location", {0x1F, 0x12, 0x00, 0x09}, {0x1F, 0xF0, 0x12, 0x02}},
        {"read of 0x7FFF", {0x1F, 0x12, 0x7F, 0xFF}, {0x1F, 0xF0, 0x12, 0x02}},
        {"erase of a preset", {0x1F, 0x10, 0x00, 0x01}, {0x1F, 0xF0, 0x10, 0x04}},
        {"erase of an empty location", {0x1F, 0x10, 0x00, 0x0A}, {0x1F, 0xF0, 0x10, 0x02}},
        {"long erase", {0x1F, 0x10, 0x00, 0x02, 0x00}, {0x1F, 0xF0, 0x10, 0x01}},
        {"write over a preset", WriteRequest(1, "x", {1}), {0x1F, 0xF0, 0x0E, 0x04}},
        {"write to an empty location", WriteRequest(9, "x", {1}), {0x1F, 0xF0, 0x0E, 0x02}},
        {"write without its closing zeros", {0x1F, 0x0E, 0x7F, 0xFF, 0xFE, 0x00, 0x00, 0x01, 0x01}, {0x1F, 0xF0, 0x0E, 0x01}},
        {"write whose data length runs past the end", {0x1F, 0x0E, 0x7F, 0xFF, 0xFE, 0x00, 0x00, 0x09, 0x01, 0x00, 0x00},
         {0x1F, 0xF0, 0x0E, 0x01}},
        {"write whose name runs past the end", {0x1F, 0x0E, 0x7F, 0xFF, 0xFE, 0x7F, 0x00, 0x00, 0x00, 0x00},
         {0x1F, 0xF0, 0x0E, 0x01}},
        {"write without 0xFE", {0x1F, 0x0E, 0x7F, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, {0x1F, 0xF0, 0x0E, 0x01}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.reply, Reply(c.request)) << c.what;
    // Nothing of it changed the store.
    EXPECT_EQ(ListReply({{1, 1, "Bells"}, {2, 0, "Scale"}, {3, 0, "Polka"}, {4, 0, "Compact tone"}}), Reply(kMainListing));
}

TEST_F(TwmpcRingtoneService, LargestRingtoneTravelsWholeBothWays)
{
    Bytes data(65535);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    EXPECT_EQ((Bytes{0x1F, 0x0F, 0x00, 0x05}), Reply(WriteRequest(0x7FFF, "big", data)));

    Bytes reply = Reply({0x1F, 0x12, 0x00, 0x05});
    ASSERT_EQ(6u + 6u + 2u + data.size(), reply.size());
    EXPECT_EQ((Bytes{0x1F, 0x13, 0x00, 0x05, 0x00, 0x03, 0x00, 'b', 0x00, 'i', 0x00, 'g', 0xFF, 0xFF}),
              Bytes(reply.begin(), reply.begin() + 14));
    EXPECT_TRUE(Bytes(reply.begin() + 14, reply.end()) == data);
}

TEST_F(TwmpcRingtoneService, StoreFillsToItsCapacityAndThenRefusesNewRingtones)
{
    for (size_t location = 5; location <= kStoreCapacity; ++location)
        ASSERT_EQ((Bytes{0x1F, 0x0F, 0x00, static_cast<uint8_t>(location)}), Reply(WriteRequest(0x7FFF, "t", {0x01})));
    EXPECT_EQ((Bytes{0x1F, 0xF0, 0x0E, 0x03}), Reply(WriteRequest(0x7FFF, "t", {0x01})));

    Bytes listing = Reply(kMainListing);
    ASSERT_GE(listing.size(), 4u);
    EXPECT_EQ(kStoreCapacity, listing[3]);
    size_t offset = 4;
    for (size_t location = 1; location <= kStoreCapacity; ++location) {
        ASSERT_LE(offset + 8, listing.size());
        EXPECT_EQ(location, static_cast<size_t>(listing[offset + 2] << 8 | listing[offset + 3]));
        offset += static_cast<size_t>(listing[offset] << 8 | listing[offset + 1]);
    }
    EXPECT_EQ(listing.size(), offset);

    // A full store still replaces, and an erased location is the next free one.
    EXPECT_EQ((Bytes{0x1F, 0x0F, 0x00, 0x07}), Reply(WriteRequest(7, "u", {0x02})));
    EXPECT_EQ((Bytes{0x1F, 0x11, 0x00, 0x02}), Reply({0x1F, 0x10, 0x00, 0x02}));
    EXPECT_EQ((Bytes{0x1F, 0x0F, 0x00, 0x02}), Reply(WriteRequest(0x7FFF, "v", {0x03})));
}

TEST_F(TwmpcRingtoneService, StorePersistsAcrossServerRuns)
{
    EXPECT_EQ((Bytes{0x1F, 0x0F, 0x00, 0x05}), Reply(WriteRequest(0x7FFF, "kept", {0x10, 0x20})));
    stream.Reset();
    manager.Reset();
    WaitForServerExit();
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((ComponentFolder() + "\\VP1.tones").c_str()));

    stream = DefaultStream();
    ASSERT_TRUE(stream);
    EXPECT_EQ((Bytes{0x1F, 0x13, 0x00, 0x05, 0x00, 0x04, 0x00, 'k', 0x00, 'e', 0x00, 'p', 0x00, 't', 0x00, 0x02, 0x10,
                     0x20}),
              Reply({0x1F, 0x12, 0x00, 0x05}));
}

TEST_F(TwmpcRingtoneService, RecordsEveryRequestThePhoneReceived)
{
    Reply(kMainListing);
    Reply({0x1F, 0x12, 0x00, 0x02});
    Reply({0x1F});
    EXPECT_EQ((std::vector<std::string>{"VP1 1F070000FE00", "VP1 1F120002", "VP1 1F"}), RecordedRequests());
}

} // namespace
