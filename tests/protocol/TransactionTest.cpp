#include "Transaction.h"

#include <gtest/gtest.h>

#include "CaseName.h"
#include "ComPtr.h"
#include "FakeMsgStream.h"
#include "MessageBuffer.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Calls = std::vector<std::string>;

const Calls kWholeTransaction = {"Begin", "Wait(42, 1234)", "Recv(42)", "End(42)"};

MessageBuffer Request(const Bytes &bytes)
{
    MessageBuffer buffer;
    EXPECT_TRUE(buffer.Append(bytes.data(), bytes.size()));
    return buffer;
}

struct TransactionCase {
    const char *what;
    std::function<void(StreamScript &)> script;
    HRESULT result;
    Calls calls;
    bool replyArray; // S_OK with a non-null array
    Bytes reply;
};
void PrintTo(const TransactionCase &c, std::ostream *os) { *os << c.what; }

class Transactions : public ::testing::TestWithParam<TransactionCase> {};

TEST_P(Transactions, EndEveryOpenedTransactionOnce)
{
    const TransactionCase &c = GetParam();
    StreamLog log;
    StreamScript script;
    script.reply = {0x1F, 0x08, 0x00};
    c.script(script);
    {
        ComPtr<ITWMsgStream> stream(new FakeMsgStream(script, log));
        MessageBuffer request = Request({0x1F, 0x07});
        SAFEARRAY *reply = nullptr;
        EXPECT_EQ(c.result, RunTransaction(stream.Get(), request.Array(), &reply, 1234)) << c.what;
        MessageBuffer received(reply);
        EXPECT_EQ(c.replyArray, reply != nullptr) << c.what;
        if (reply) {
            EXPECT_EQ(c.reply, Bytes(received.Data(), received.Data() + received.Size())) << c.what;
        }
    }
    Calls expected = c.calls;
    expected.push_back("Destroyed");
    EXPECT_EQ(expected, log.calls) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    All, Transactions,
    ::testing::Values(
        TransactionCase{"reply", [](StreamScript &) {}, S_OK, kWholeTransaction, true, {0x1F, 0x08, 0x00}},
        TransactionCase{"Begin refuses", [](StreamScript &s) { s.begin = E_FAIL; }, E_FAIL, {"Begin"}, false, {}},
        TransactionCase{"Begin refuses, access denied", [](StreamScript &s) { s.begin = E_ACCESSDENIED; },
                        E_FAIL, {"Begin"}, false, {}},
        TransactionCase{"Wait answers S_FALSE", [](StreamScript &s) { s.wait = S_FALSE; }, E_ABORT,
                        {"Begin", "Wait(42, 1234)", "End(42)"}, false, {}},
        TransactionCase{"Wait fails", [](StreamScript &s) { s.wait = E_FAIL; }, E_ABORT,
                        {"Begin", "Wait(42, 1234)", "End(42)"}, false, {}},
        TransactionCase{"Recv fails after a good Wait",
                        [](StreamScript &s) {
                            s.recv = E_FAIL;
                            s.replyType = VT_EMPTY;
                        },
                        E_UNEXPECTED, kWholeTransaction, false, {}},
        TransactionCase{"signed-byte reply", [](StreamScript &s) { s.replyType = VT_ARRAY | VT_I1; },
                        E_UNEXPECTED, kWholeTransaction, false, {}},
        TransactionCase{"zero-length reply", [](StreamScript &s) { s.reply.clear(); }, S_OK,
                        kWholeTransaction, true, {}},
        TransactionCase{"byte-array variant without an array",
                        [](StreamScript &s) { s.nullReplyArray = true; }, S_OK, kWholeTransaction, false, {}},
        TransactionCase{"reply with lower bound 1", [](StreamScript &s) { s.replyLowerBound = 1; }, S_OK,
                        kWholeTransaction, true, {0x1F, 0x08, 0x00}},
        TransactionCase{"negative transaction id", [](StreamScript &s) { s.xact = -7; }, S_OK,
                        {"Begin", "Wait(-7, 1234)", "Recv(-7)", "End(-7)"}, true, {0x1F, 0x08, 0x00}}),
    CaseName());

TEST(RunTransaction, WithoutStreamFailsAndLeavesTheReplySlot)
{
    MessageBuffer request = Request({0x1F, 0x07});
    SAFEARRAY *reply = nullptr;
    EXPECT_EQ(E_INVALIDARG, RunTransaction(nullptr, request.Array(), &reply, 1000));
    EXPECT_EQ(nullptr, reply);
}

TEST(RunTransaction, HandsTheComponentAByteArrayCopyOfTheRequest)
{
    StreamLog log;
    ComPtr<ITWMsgStream> stream(new FakeMsgStream(StreamScript{}, log));
    const Bytes bytes = {0x1F, 0x12, 0x00, 0x05};
    MessageBuffer request = Request(bytes);
    SAFEARRAY *reply = nullptr;
    ASSERT_EQ(S_OK, RunTransaction(stream.Get(), request.Array(), &reply, 2000));
    MessageBuffer received(reply);
    EXPECT_EQ(VT_ARRAY | VT_UI1, log.requestType);
    EXPECT_EQ(bytes, log.request);
    EXPECT_EQ(0, log.requestLowerBound);
    EXPECT_NE(request.Array(), log.requestArray);
    // The request stays the caller's, unchanged.
    EXPECT_EQ(bytes, Bytes(request.Data(), request.Data() + request.Size()));
}

TEST(RunTransaction, KeepsTheStreamWhenItsLastOtherReferenceGoesDuringWait)
{
    StreamLog log;
    // The caller's reference, released by a "device event" while Wait runs,
    // as a phone that goes away releases the main window's stream.
    ComPtr<ITWMsgStream> messageStream;
    StreamScript script;
    script.duringWait = [&] { messageStream.Reset(); };
    script.reply = {0x1F, 0x0F};
    messageStream = ComPtr<ITWMsgStream>(new FakeMsgStream(script, log));
    MessageBuffer request = Request({0x1F, 0x0E});
    SAFEARRAY *reply = nullptr;
    EXPECT_EQ(S_OK, RunTransaction(messageStream.Get(), request.Array(), &reply, 4000));
    MessageBuffer received(reply);
    EXPECT_FALSE(messageStream);
    EXPECT_EQ((Calls{"Begin", "Wait(42, 4000)", "Recv(42)", "End(42)", "Destroyed"}), log.calls);
}

} // namespace
