// Faults injected through the settings file, as tests of the programs that
// use the component inject them.
#include "ComponentFixture.h"

namespace {

const Bytes kReadScale = {0x1F, 0x12, 0x00, 0x02};
const Bytes kMainListing = {0x1F, 0x07, 0x00, 0x00, 0xFE, 0x00};

class TwmpcFaultInjection : public ComponentTest {
protected:
    void SetUp() override
    {
        ComponentTest::SetUp();
        stream = DefaultStream();
        ASSERT_TRUE(stream);
        good = Transact(stream.Get(), kReadScale).reply;
        goodListing = Transact(stream.Get(), kMainListing).reply;
        ASSERT_GT(good.size(), 8u);
    }
    void TearDown() override
    {
        stream.Reset();
        ComponentTest::TearDown();
    }
    // The fault is used once: the next exchange is normal again.
    void ExpectCleared()
    {
        Exchange after = Transact(stream.Get(), kReadScale);
        EXPECT_EQ(S_OK, after.wait);
        EXPECT_EQ(good, after.reply);
        EXPECT_EQ("", GetSetting("Faults", "NextReply"));
    }
    ComPtr<ITWMsgStream> stream;
    Bytes good;
    Bytes goodListing;
};

TEST_F(TwmpcFaultInjection, DroppedReplyTimesOut)
{
    SetSetting("Faults", "NextReply", "drop");
    Exchange e = Transact(stream.Get(), kReadScale, 500);
    EXPECT_EQ(S_OK, e.begin);
    EXPECT_EQ(S_FALSE, e.wait);
    ExpectCleared();
}

TEST_F(TwmpcFaultInjection, DelayedReplyArrivesLate)
{
    SetSetting("Faults", "NextReply", "Delay");
    SetSetting("Faults", "DelayMs", "1500");
    LONG xact = 0;
    VARIANT message;
    VariantInit(&message);
    V_VT(&message) = VT_ARRAY | VT_UI1;
    V_ARRAY(&message) = SafeArrayCreateVector(VT_UI1, 0, 4);
    memcpy(V_ARRAY(&message)->pvData, kReadScale.data(), 4);
    ASSERT_EQ(S_OK, stream->Begin(message, &xact));
    VariantClear(&message);
    EXPECT_EQ(S_FALSE, stream->Wait(xact, 200));
    EXPECT_EQ(S_OK, stream->Wait(xact, 4000));
    VARIANT reply;
    VariantInit(&reply);
    EXPECT_EQ(S_OK, stream->Recv(xact, &reply));
    EXPECT_EQ(VT_ARRAY | VT_UI1, V_VT(&reply));
    VariantClear(&reply);
    EXPECT_EQ(S_OK, stream->End(xact));
    ExpectCleared();
}

TEST_F(TwmpcFaultInjection, RepliesChangedOnTheWay)
{
    struct Case {
        const char *fault;
        Bytes request;
        Bytes expected;
    };
    Bytes wrongRead = good;
    wrongRead[1] = 0x08;
    Bytes wrongListing = goodListing;
    wrongListing[1] = 0x13;
    Bytes otherLocation = good;
    otherLocation[3] = 0x03;
    const Case cases[] = {
        {"wrongtype", kReadScale, wrongRead},
        {"WrongType", kMainListing, wrongListing},
        {"truncated", kMainListing, Bytes(goodListing.begin(), goodListing.begin() + goodListing.size() / 2)},
        {"otherlocation", kReadScale, otherLocation},
    };
    for (const Case &c : cases) {
        SetSetting("Faults", "NextReply", c.fault);
        Exchange e = Transact(stream.Get(), c.request);
        EXPECT_EQ(S_OK, e.wait) << c.fault;
        EXPECT_EQ(c.expected, e.reply) << c.fault;
        ExpectCleared();
    }
}

TEST_F(TwmpcFaultInjection, BeginRefusedOnceAndNothingReachesThePhone)
{
    DeleteFileA((ComponentFolder() + "\\Requests.log").c_str());
    SetSetting("Faults", "RefuseBegin", "1");
    Exchange refused = Transact(stream.Get(), kReadScale);
    EXPECT_LT(refused.begin, 0);
    EXPECT_EQ("0", GetSetting("Faults", "RefuseBegin"));
    EXPECT_TRUE(RecordedRequests().empty());
    EXPECT_EQ(S_OK, Transact(stream.Get(), kReadScale).begin);
    EXPECT_EQ(1u, RecordedRequests().size());
}

TEST_F(TwmpcFaultInjection, PhoneWithoutStreamFailsQueryService)
{
    WriteSettingsFile("[Phones]\r\nCount=2\r\n"
                      "[Phone1]\r\nOID=S0\r\nType=RH-9\r\nName=Mute\r\nStream=0\r\n"
                      "[Phone2]\r\nOID=S1\r\nType=RH-9\r\nName=Talking\r\n");
    ComPtr<ITWDevice> mute = DeviceById("S0");
    ASSERT_TRUE(mute);
    BSTR service = SysAllocString(L"NkMsgStm:");
    ComPtr<IUnknown> object;
    VARIANT_BOOL present = VARIANT_TRUE;
    EXPECT_EQ(S_OK, mute->HasService(service, &present));
    EXPECT_EQ(VARIANT_FALSE, present);
    EXPECT_LT(mute->QueryService(service, object.Receive()), 0);
    EXPECT_FALSE(object);
    SysFreeString(service);
    ComPtr<ITWDevice> talking = DeviceById("S1");
    ASSERT_TRUE(talking);
    EXPECT_TRUE(StreamOf(talking.Get()));
}

TEST_F(TwmpcFaultInjection, DetachedPhoneRefusesItsStream)
{
    SetSetting("Phone1", "Attached", "0");
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED), Transact(stream.Get(), kReadScale).begin);
    SetSetting("Phone1", "Attached", "1");
    EXPECT_EQ(good, Transact(stream.Get(), kReadScale).reply);
}

} // namespace
