#include "RingtoneService.h"

#include <gtest/gtest.h>

#include "CaseName.h"
#include "ComPtr.h"
#include "DialogCatcher.h"
#include "FakeMsgStream.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Calls = std::vector<std::string>;

MessageBuffer BufferOf(const Bytes &bytes)
{
    MessageBuffer buffer;
    EXPECT_TRUE(buffer.Append(bytes.data(), bytes.size()));
    return buffer;
}

Bytes Contents(const MessageBuffer &buffer)
{
    return buffer.Data() ? Bytes(buffer.Data(), buffer.Data() + buffer.Size()) : Bytes{};
}

std::wstring TextOf(const HeapArray<wchar_t> &text)
{
    return std::wstring(text.Get(), text.Size());
}

struct Entry {
    uint16_t location;
    std::wstring name;
};

// What is left to read of a listing.
std::vector<Entry> EntriesOf(RingtoneListing &listing)
{
    std::vector<Entry> entries;
    for (Ringtone entry; listing.Next(entry);)
        entries.push_back({entry.location, TextOf(entry.name)});
    return entries;
}

// The main window of these tests: owner of the boxes, and a catcher that
// records and answers them.
class RingtoneService : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, owner);
    }
    void TearDown() override { DestroyWindow(owner); }

    // A new stream answering with script; the test holds its one reference.
    ITWMsgStream *Stream(const StreamScript &script)
    {
        stream = ComPtr<ITWMsgStream>(new FakeMsgStream(script, log));
        return stream.Get();
    }
    ITWMsgStream *Replying(const Bytes &reply)
    {
        StreamScript script;
        script.reply = reply;
        return Stream(script);
    }
    void ExpectNoBox() { EXPECT_TRUE(catcher.Caught().empty()) << catcher.Caught()[0].text; }

    HWND owner = nullptr;
    DialogCatcher catcher;
    StreamLog log;
    ComPtr<ITWMsgStream> stream;
};

// ---- What each operation sends ----

// One operation as a command runs it: result, request and time-out.
struct Operation {
    const char *what;
    std::function<HRESULT(ITWMsgStream *, HWND)> run;
    Bytes request;
    LONG timeout;
};
void PrintTo(const Operation &c, std::ostream *os) { *os << c.what; }

// Where the listings of the table below put their entries.
RingtoneListing listed;

const Operation kList{"list", [](ITWMsgStream *s, HWND o) { return static_cast<HRESULT>(ListRingtones(s, o, MainListing, listed)); },
                      {0x1F, 0x07, 0x00, 0x00, 0xFE, 0x00}, 3000};
const Operation kListLocations{"list locations",
                               [](ITWMsgStream *s, HWND o) {
                                   return static_cast<HRESULT>(ListRingtones(s, o, LocationListing, listed));
                               },
                               {0x1F, 0x07, 0x00, 0x00, 0x00, 0x02}, 3000};
const Operation kRead{"read",
                      [](ITWMsgStream *s, HWND o) {
                          HeapArray<wchar_t> name;
                          MessageBuffer data;
                          return ReadRingtone(s, o, 0x0102, name, data);
                      },
                      {0x1F, 0x12, 0x01, 0x02}, 2000};
// A new ringtone named abc holding 01 02 03 04.
const Operation kWrite{"write",
                       [](ITWMsgStream *s, HWND o) {
                           return WriteRingtone(s, o, NewRingtoneLocation, L"abc", BufferOf({1, 2, 3, 4}));
                       },
                       {0x1F, 0x0E, 0x7F, 0xFF, 0xFE, 0x03, 0x00, 0x61, 0x00, 0x62, 0x00, 0x63, 0x00, 0x04,
                        0x01, 0x02, 0x03, 0x04, 0x00, 0x00},
                       4000};
const Operation kWriteNameless{"write without name",
                               [](ITWMsgStream *s, HWND o) {
                                   return WriteRingtone(s, o, 0x0005, nullptr, MessageBuffer());
                               },
                               {0x1F, 0x0E, 0x00, 0x05, 0xFE, 0x00, 0x00, 0x00, 0x00, 0x00}, 4000};
const Operation kErase{"erase", [](ITWMsgStream *s, HWND) { return EraseRingtone(s, 0x0203); },
                       {0x1F, 0x10, 0x02, 0x03}, 2000};

class Requests : public RingtoneService, public ::testing::WithParamInterface<Operation> {};

TEST_P(Requests, AreSentByteForByteWithTheirTimeout)
{
    const Operation &op = GetParam();
    op.run(Stream(StreamScript{}), owner);
    EXPECT_EQ(VT_ARRAY | VT_UI1, log.requestType);
    EXPECT_EQ(op.request, log.request);
    EXPECT_EQ((Calls{"Begin", "Wait(42, " + std::to_string(op.timeout) + ")", "Recv(42)", "End(42)"}),
              log.calls);
}

INSTANTIATE_TEST_SUITE_P(All, Requests,
                         ::testing::Values(kList, kListLocations, kRead, kWrite, kWriteNameless, kErase),
                         CaseName());

// ---- Failed transactions and the boxes they show ----

struct FailureCase {
    const char *what;
    Operation op;
    std::function<void(StreamScript &)> fail;
    HRESULT result;
    const char *text; // null: no box
};
void PrintTo(const FailureCase &c, std::ostream *os) { *os << c.what; }

void TimesOut(StreamScript &s) { s.wait = S_FALSE; }
void BeginRefuses(StreamScript &s) { s.begin = E_FAIL; }
void RecvFails(StreamScript &s)
{
    s.recv = E_FAIL;
    s.replyType = VT_EMPTY;
}

class TransactionFailures : public RingtoneService, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TransactionFailures, ShowTheirMessageOnce)
{
    const FailureCase &c = GetParam();
    StreamScript script;
    c.fail(script);
    EXPECT_EQ(c.result, c.op.run(Stream(script), owner));
    if (!c.text) {
        ExpectNoBox();
        return;
    }
    ASSERT_EQ(1u, catcher.Caught().size());
    const CaughtDialog &box = catcher.Caught()[0];
    EXPECT_EQ("Error", box.caption);
    EXPECT_EQ(c.text, box.text);
    EXPECT_EQ(owner, box.owner);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_FALSE(box.hasIcon);
}

const char kTimeoutWaiting[] = "Timeout waiting for data from phone";
const char kTimeoutSending[] = "Timeout sending data to phone";
const char kNoResponse[] = "Error getting response from phone";

INSTANTIATE_TEST_SUITE_P(
    All, TransactionFailures,
    ::testing::Values(FailureCase{"list times out", kList, TimesOut, -1, kTimeoutWaiting},
                      FailureCase{"list refused", kList, BeginRefuses, -1, kNoResponse},
                      FailureCase{"list without reply", kList, RecvFails, -1, kNoResponse},
                      FailureCase{"read times out", kRead, TimesOut, -1, kTimeoutWaiting},
                      FailureCase{"read refused", kRead, BeginRefuses, -1, kNoResponse},
                      FailureCase{"read without reply", kRead, RecvFails, -1, kNoResponse},
                      FailureCase{"write times out", kWrite, TimesOut, -1, kTimeoutSending},
                      FailureCase{"write refused", kWrite, BeginRefuses, -1, kNoResponse},
                      FailureCase{"write without reply", kWrite, RecvFails, -1, kNoResponse},
                      FailureCase{"erase times out", kErase, TimesOut, E_FAIL, nullptr},
                      FailureCase{"erase refused", kErase, BeginRefuses, E_FAIL, nullptr},
                      FailureCase{"erase without reply", kErase, RecvFails, E_FAIL, nullptr}),
    CaseName());

// ---- Unusable or wrong replies: refused without a box ----

struct ReplyCase {
    const char *what;
    Operation op;
    std::function<void(StreamScript &)> reply;
};
void PrintTo(const ReplyCase &c, std::ostream *os) { *os << c.what; }

void ZeroLength(StreamScript &s) { s.reply.clear(); }
void NoArray(StreamScript &s) { s.nullReplyArray = true; }
void OneByte(StreamScript &s) { s.reply = {0x1F}; }
// Each operation's wrong type is the reply another request expects.
void ListType(StreamScript &s) { s.reply = {0x1F, 0x08, 0x00, 0x00}; }
void ReadType(StreamScript &s) { s.reply = {0x1F, 0x13, 0x02, 0x03, 0x00, 0x00, 0x00, 0x00}; }

class WrongReplies : public RingtoneService, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(WrongReplies, FailWithoutABox)
{
    const ReplyCase &c = GetParam();
    StreamScript script;
    c.reply(script);
    EXPECT_LT(c.op.run(Stream(script), owner), 0);
    ExpectNoBox();
}

INSTANTIATE_TEST_SUITE_P(All, WrongReplies,
                         ::testing::Values(ReplyCase{"list zero length", kList, ZeroLength},
                                           ReplyCase{"list no array", kList, NoArray},
                                           ReplyCase{"list one byte", kList, OneByte},
                                           ReplyCase{"list given a read reply", kList, ReadType},
                                           ReplyCase{"read zero length", kRead, ZeroLength},
                                           ReplyCase{"read no array", kRead, NoArray},
                                           ReplyCase{"read given a list reply", kRead, ListType},
                                           ReplyCase{"write zero length", kWrite, ZeroLength},
                                           ReplyCase{"write no array", kWrite, NoArray},
                                           ReplyCase{"write given a list reply", kWrite, ListType},
                                           ReplyCase{"erase zero length", kErase, ZeroLength},
                                           ReplyCase{"erase no array", kErase, NoArray},
                                           ReplyCase{"erase given a read reply", kErase, ReadType}),
                         CaseName());

// ---- No stream: nothing sent, nothing shown ----

TEST_F(RingtoneService, WithoutStreamEveryOperationFailsSilently)
{
    RingtoneListing listing;
    HeapArray<wchar_t> name;
    MessageBuffer data;
    EXPECT_EQ(-1, ListRingtones(nullptr, owner, MainListing, listing));
    EXPECT_EQ(E_FAIL, ReadRingtone(nullptr, owner, 1, name, data));
    EXPECT_EQ(E_FAIL, WriteRingtone(nullptr, owner, 1, L"a", BufferOf({1})));
    EXPECT_EQ(E_FAIL, EraseRingtone(nullptr, 1));
    EXPECT_TRUE(EntriesOf(listing).empty());
    EXPECT_TRUE(name.Empty());
    EXPECT_TRUE(data.Absent());
    ExpectNoBox();
}

// ---- Listing ----

TEST_F(RingtoneService, ListWithNoEntriesYieldsNone)
{
    RingtoneListing listing;
    EXPECT_EQ(0, ListRingtones(Replying({0x00, 0x08, 0x00, 0x00}), owner, MainListing, listing));
    EXPECT_TRUE(EntriesOf(listing).empty());
    ExpectNoBox();
}

TEST_F(RingtoneService, ListYieldsEntriesInReplyOrder)
{
    // Byte 0 is not examined; the second entry carries two bytes after its name.
    RingtoneListing listing;
    EXPECT_EQ(2, ListRingtones(Replying({0x55, 0x08, 0x00, 0x02,
                                         0x00, 0x0C, 0x00, 0x07, 0xAA, 0xAA, 0x00, 0x02, 0x00, 0x61, 0x00, 0xE9,
                                         0x00, 0x0C, 0x7F, 0xFE, 0xAA, 0xAA, 0x00, 0x01, 0x4E, 0x2D, 0xBB, 0xBB}),
                               owner, LocationListing, listing));
    // The listing holds the reply itself: the stream may go first.
    stream = ComPtr<ITWMsgStream>();
    std::vector<Entry> entries = EntriesOf(listing);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(0x0007, entries[0].location);
    EXPECT_EQ(L"a\u00E9", entries[0].name);
    EXPECT_EQ(0x7FFE, entries[1].location);
    EXPECT_EQ(L"\u4E2D", entries[1].name);
}

TEST_F(RingtoneService, ListKeepsTheEntriesBeforeOneThatOverruns)
{
    RingtoneListing listing;
    // Three entries counted; the second's name runs past the reply's end.
    EXPECT_EQ(1, ListRingtones(Replying({0x1F, 0x08, 0x00, 0x03,
                                         0x00, 0x0A, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x61,
                                         0x00, 0x0A, 0x00, 0x02, 0x00, 0x00, 0x00, 0x09, 0x00, 0x62}),
                               owner, MainListing, listing));
    std::vector<Entry> entries = EntriesOf(listing);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(1, entries[0].location);
    EXPECT_EQ(L"a", entries[0].name);
    ExpectNoBox();
}

// ---- Reading ----

TEST_F(RingtoneService, ReadGivesNameAndData)
{
    HeapArray<wchar_t> name;
    MessageBuffer data;
    EXPECT_EQ(S_OK, ReadRingtone(Replying({0x00, 0x13, 0x01, 0x02, 0x00, 0x02, 0x00, 0x61, 0x00, 0x62,
                                           0x00, 0x03, 0x4D, 0x54, 0x68}),
                                 owner, 0x0102, name, data));
    EXPECT_EQ(L"ab", TextOf(name));
    EXPECT_EQ(L'\0', name.Get()[2]) << "the name is terminated";
    EXPECT_EQ((Bytes{0x4D, 0x54, 0x68}), Contents(data));
}

TEST_F(RingtoneService, ReadWithoutNameGivesAnEmptyName)
{
    HeapArray<wchar_t> name;
    MessageBuffer data;
    EXPECT_EQ(S_OK, ReadRingtone(Replying({0x00, 0x13, 0x01, 0x02, 0x00, 0x00, 0x00, 0x02, 0x01, 0x02}),
                                 owner, 0x0102, name, data));
    EXPECT_TRUE(name.Empty());
    EXPECT_EQ((Bytes{0x01, 0x02}), Contents(data));
}

struct RefusedRead {
    const char *what;
    Bytes reply;
};
void PrintTo(const RefusedRead &c, std::ostream *os) { *os << c.what; }

class RefusedReads : public RingtoneService, public ::testing::WithParamInterface<RefusedRead> {};

TEST_P(RefusedReads, LeaveNameAndDataAlone)
{
    HeapArray<wchar_t> name;
    MessageBuffer data;
    EXPECT_EQ(E_FAIL, ReadRingtone(Replying(GetParam().reply), owner, 0x0102, name, data));
    EXPECT_TRUE(name.Empty());
    EXPECT_TRUE(data.Absent());
    ExpectNoBox();
}

INSTANTIATE_TEST_SUITE_P(
    All, RefusedReads,
    ::testing::Values(RefusedRead{"another location", {0x00, 0x13, 0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x01}},
                      RefusedRead{"a list reply", {0x00, 0x08, 0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x01}},
                      RefusedRead{"data past the end", {0x00, 0x13, 0x01, 0x02, 0x00, 0x00, 0x00, 0x03, 0x01}},
                      RefusedRead{"name past the end", {0x00, 0x13, 0x01, 0x02, 0x00, 0x09, 0x00, 0x61}}),
    CaseName());

// ---- Writing ----

TEST_F(RingtoneService, WriteSucceedsOnAWriteReply)
{
    EXPECT_EQ(S_OK, WriteRingtone(Replying({0x00, 0x0F}), owner, 3, L"x", BufferOf({9})));
    ExpectNoBox();
}

TEST_F(RingtoneService, WriteSendsTheLongestNameAndLargestData)
{
    std::wstring name(kMaxRingtoneNameUnits, L'n');
    MessageBuffer data = BufferOf(Bytes(kMaxRingtoneDataBytes, 0x5A));
    EXPECT_EQ(S_OK, WriteRingtone(Replying({0x00, 0x0F}), owner, 3, name.c_str(), data));
    ASSERT_EQ(2 * kMaxRingtoneNameUnits + kMaxRingtoneDataBytes + 10, log.request.size());
    EXPECT_EQ(kMaxRingtoneNameUnits, log.request[5]);
    EXPECT_EQ(0xFF, log.request[6 + 2 * kMaxRingtoneNameUnits]);
    EXPECT_EQ(0xFF, log.request[7 + 2 * kMaxRingtoneNameUnits]);
}

struct RefusedWrite {
    const char *what;
    size_t nameUnits;
    size_t dataBytes;
};
void PrintTo(const RefusedWrite &c, std::ostream *os) { *os << c.what; }

class RefusedWrites : public RingtoneService, public ::testing::WithParamInterface<RefusedWrite> {};

TEST_P(RefusedWrites, SendNothing)
{
    std::wstring name(GetParam().nameUnits, L'n');
    MessageBuffer data = BufferOf(Bytes(GetParam().dataBytes, 0x5A));
    EXPECT_EQ(E_INVALIDARG, WriteRingtone(Replying({0x00, 0x0F}), owner, 3, name.c_str(), data));
    EXPECT_TRUE(log.calls.empty());
    ExpectNoBox();
}

INSTANTIATE_TEST_SUITE_P(All, RefusedWrites,
                         ::testing::Values(RefusedWrite{"name too long", kMaxRingtoneNameUnits + 1, 4},
                                           RefusedWrite{"data too large", 4, kMaxRingtoneDataBytes + 1}),
                         CaseName());

TEST_F(RingtoneService, WriteRefusesDataThatFailedToLoad)
{
    MessageBuffer data = BufferOf({1, 2});
    data.Append(nullptr, 5);
    ASSERT_TRUE(data.Failed());
    EXPECT_EQ(E_INVALIDARG, WriteRingtone(Replying({0x00, 0x0F}), owner, 3, L"x", data));
    EXPECT_TRUE(log.calls.empty());
}

// ---- Erasing ----

TEST_F(RingtoneService, EraseSucceedsOnAnEraseReply)
{
    EXPECT_EQ(S_OK, EraseRingtone(Replying({0x00, 0x11}), 0x0203));
}

} // namespace
