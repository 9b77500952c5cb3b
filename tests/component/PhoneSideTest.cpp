// The phone's side in the test process: store files and reply faults.
#include <gtest/gtest.h>

#include "ReplyFaults.h"
#include "RingtoneStore.h"
#include "SampleRingtones.h"
#include "Settings.h"

#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

RingtoneStore Samples()
{
    RingtoneStore store;
    for (const StoredRingtone &r : SampleRingtones())
        store.Put(r);
    return store;
}

TEST(TwmpcStoreFile, RoundTripsEveryField)
{
    RingtoneStore store = Samples();
    StoredRingtone big;
    big.location = 16;
    big.name = std::wstring(255, L'\x263A');
    big.data = Bytes(65535, 0x5A);
    ASSERT_TRUE(store.Put(big));
    Bytes file = store.Serialize();
    RingtoneStore back;
    ASSERT_TRUE(RingtoneStore::Parse(file.data(), file.size(), back));
    ASSERT_EQ(store.Ringtones().size(), back.Ringtones().size());
    for (size_t i = 0; i < store.Ringtones().size(); ++i) {
        EXPECT_EQ(store.Ringtones()[i].location, back.Ringtones()[i].location);
        EXPECT_EQ(store.Ringtones()[i].preset, back.Ringtones()[i].preset);
        EXPECT_EQ(store.Ringtones()[i].name, back.Ringtones()[i].name);
        EXPECT_EQ(store.Ringtones()[i].data, back.Ringtones()[i].data);
    }
}

TEST(TwmpcStoreFile, DamagedFilesAreRefusedWithoutReadingPastTheirEnd)
{
    const Bytes good = Samples().Serialize();
    struct Case {
        const char *what;
        Bytes file;
    };
    std::vector<Case> cases = {{"empty", {}}, {"magic only", {'T', 'W', 'R', 'S'}}};
    for (size_t cut = 1; cut < good.size(); cut += 7)
        cases.push_back({"cut short", Bytes(good.begin(), good.end() - cut)});
    Bytes longer = good;
    longer.push_back(0);
    cases.push_back({"trailing byte", longer});
    Bytes tooMany = good;
    tooMany[6] = 17;
    cases.push_back({"more entries than locations", tooMany});
    Bytes location0 = good;
    location0[8] = 0;
    location0[9] = 0;
    cases.push_back({"location 0", location0});
    Bytes twice = good;
    twice[8] = 0x01;
    twice[9] = 0x00;
    size_t second = 8 + 10 + 2 * 5 + (good[14] | good[15] << 8);
    twice[second] = 0x01;
    twice[second + 1] = 0x00;
    cases.push_back({"one location twice", twice});
    Bytes hugeData = good;
    hugeData[16] = 0x00;
    hugeData[17] = 0x00;
    hugeData[14] = 0xFF;
    hugeData[15] = 0xFF;
    cases.push_back({"data length past the end", hugeData});
    for (const Case &c : cases) {
        RingtoneStore store = Samples();
        EXPECT_FALSE(RingtoneStore::Parse(c.file.data(), c.file.size(), store)) << c.what;
        EXPECT_EQ(4u, store.Ringtones().size()) << c.what << ": a refused file leaves the store as it was";
    }
}

TEST(TwmpcReplyFaults, ChangesOnlyWhatTheFaultNames)
{
    struct Case {
        ReplyFault fault;
        Bytes reply;
        Bytes expected;
    };
    const Case cases[] = {
        {ReplyFault::WrongType, {0x1F, 0x13, 0x00, 0x02}, {0x1F, 0x08, 0x00, 0x02}},
        {ReplyFault::WrongType, {0x1F, 0x08, 0x00, 0x00}, {0x1F, 0x13, 0x00, 0x00}},
        {ReplyFault::Truncated, {0x1F, 0x13, 1, 2, 3, 4, 5, 6, 7}, {0x1F, 0x13, 1, 2}},
        {ReplyFault::Truncated, {0x1F, 0x0F, 0x00}, {0x1F, 0x0F}},
        {ReplyFault::OtherLocation, {0x1F, 0x13, 0x00, 0xFF, 0x00}, {0x1F, 0x13, 0x01, 0x00, 0x00}},
        {ReplyFault::OtherLocation, {0x1F, 0x11, 0x00, 0x02}, {0x1F, 0x11, 0x00, 0x03}},
        {ReplyFault::OtherLocation, {0x1F, 0x08, 0x00, 0x00}, {0x1F, 0x08, 0x00, 0x00}},
        {ReplyFault::Drop, {0x1F, 0x13}, {0x1F, 0x13}},
        {ReplyFault::WrongType, {0x1F}, {0x1F}},
    };
    for (const Case &c : cases) {
        Bytes reply = c.reply;
        ApplyReplyFault(c.fault, reply);
        EXPECT_EQ(c.expected, reply) << static_cast<int>(c.fault);
    }
}

} // namespace

namespace {

ComponentSettings Parse(const char *text)
{
    return ParseSettings(Bytes(text, text + strlen(text)));
}

TEST(TwmpcSettingsFile, ReadLikeTheProfileFunctions)
{
    ComponentSettings s = Parse("; a comment\r\n"
                                "[link]\r\n  bytespersecond = 9600 \r\nLatencyMs=x\r\n"
                                "[PHONES]\nCount=5\n"
                                "[Phone1]\nOID=A1\nType= rh-9 \nName=First=one\nattached=0\n"
                                "[Phone1]\nOID=ignored\n"
                                "[Phone2]\nOID=A1\nName=same OID\n"
                                "[Phone3]\nOID=has blank\n"
                                "[Phone4]\nName=no OID\n"
                                "[Phone5]\nOID=A5\nStream=0\n"
                                "[Faults]\nNextReply=TRUNCATED\nRefuseBegin=1\n");
    EXPECT_EQ(9600, s.link.bytesPerSecond);
    EXPECT_EQ(LinkSettings().latencyMs, s.link.latencyMs);
    ASSERT_EQ(2u, s.phones.size());
    EXPECT_EQ("A1", s.phones[0].oid);
    EXPECT_EQ("rh-9", s.phones[0].type);
    EXPECT_EQ("First=one", s.phones[0].name);
    EXPECT_FALSE(s.phones[0].attached);
    EXPECT_TRUE(s.phones[0].hasStream);
    EXPECT_EQ("A5", s.phones[1].oid);
    EXPECT_TRUE(s.phones[1].attached);
    EXPECT_FALSE(s.phones[1].hasStream);
    EXPECT_EQ(ReplyFault::Truncated, s.faults.nextReply);
    EXPECT_TRUE(s.faults.refuseBegin);
}

TEST(TwmpcSettingsFile, LimitsWhatItTakes)
{
    std::string text = "[Link]\nBytesPerSecond=0\nLatencyMs=-5\n[Phones]\nCount=40\n";
    for (int i = 1; i <= 40; ++i)
        text += "[Phone" + std::to_string(i) + "]\nOID=P" + std::to_string(i) + "\nName=" + std::string(300, 'n') + "\n";
    ComponentSettings s = Parse(text.c_str());
    EXPECT_EQ(LinkSettings().bytesPerSecond, s.link.bytesPerSecond);
    EXPECT_EQ(0, s.link.latencyMs);
    ASSERT_EQ(kMaxVirtualPhones, s.phones.size());
    EXPECT_EQ(kMaxSettingText, s.phones[0].name.size());
    EXPECT_TRUE(Parse("").phones.empty());
    EXPECT_EQ(ReplyFault::None, Parse("[Faults]\nNextReply=explode\n").faults.nextReply);
}

} // namespace
