// Device-list events reach the client's own thread while it pumps messages.
#include "ComponentFixture.h"

#include <ocidl.h>
#include <olectl.h>

namespace {

struct Event {
    DISPID id;
    std::string device;
    std::string text; // the new name of DeviceRenamed
    LONG status;      // the new status of DeviceStatusChanged
    DWORD thread;
};

class EventSink : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID__ITWDevListEvents)) {
            *object = static_cast<IDispatch *>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *, EXCEPINFO *,
                                     UINT *) override
    {
        Event e = {id, "", "", -1, GetCurrentThreadId()};
        // Arguments arrive last first.
        UINT n = params->cArgs;
        if (n >= 1 && V_VT(&params->rgvarg[n - 1]) == VT_BSTR)
            e.device = Narrow(V_BSTR(&params->rgvarg[n - 1]));
        if (id == 4 && n == 2 && V_VT(&params->rgvarg[0]) == VT_BSTR)
            e.text = Narrow(V_BSTR(&params->rgvarg[0]));
        if (id == 5 && n == 2) {
            VARIANT status;
            VariantInit(&status);
            if (SUCCEEDED(VariantChangeType(&status, &params->rgvarg[0], 0, VT_I4)))
                e.status = V_I4(&status);
        }
        events.push_back(e);
        return S_OK;
    }

    ULONG references = 1;
    std::vector<Event> events;
};

class TwmpcDeviceEvents : public ComponentTest {
protected:
    void SetUp() override
    {
        ComponentTest::SetUp();
        manager = CreateManager();
        ASSERT_TRUE(manager);
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(S_OK, manager.As(IID_IConnectionPointContainer, container));
        ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID__ITWDevListEvents, point.Receive()));
        ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
        EXPECT_EQ(S_OK, manager->Initialize(0));
    }
    void TearDown() override
    {
        if (point) {
            EXPECT_EQ(S_OK, point->Unadvise(cookie));
            point.Reset();
        }
        if (manager)
            manager->Shutdown(0);
        ComponentTest::TearDown();
        EXPECT_EQ(1u, sink.references);
    }
    bool WaitForEvent(DISPID id, const char *device)
    {
        return PumpUntil([&] {
            for (const Event &e : sink.events)
                if (e.id == id && e.device == device)
                    return true;
            return false;
        });
    }
    const Event *Find(DISPID id, const char *device) const
    {
        for (const Event &e : sink.events)
            if (e.id == id && e.device == device)
                return &e;
        return nullptr;
    }

    EventSink sink;
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
};

TEST_F(TwmpcDeviceEvents, DetachAndAttachAreAnnouncedOnTheClientsThread)
{
    ComPtr<ITWDevice> device = DeviceById("VP1");
    ASSERT_TRUE(device);
    SetSetting("Phone1", "Attached", "0");
    ASSERT_TRUE(WaitForEvent(5, "VP1"));
    const Event *removed = Find(5, "VP1");
    EXPECT_EQ(twdsRemoved, removed->status);
    EXPECT_EQ(GetCurrentThreadId(), removed->thread);
    TWDStatus status = twdsActive;
    EXPECT_EQ(S_OK, device->get_Status(&status));
    EXPECT_EQ(twdsRemoved, status);
    EXPECT_TRUE(Devices().empty());

    SetSetting("Phone1", "Attached", "1");
    ASSERT_TRUE(WaitForEvent(1, "VP1"));
    EXPECT_EQ(1u, Devices().size());
}

TEST_F(TwmpcDeviceEvents, NewPhoneRenameAndRemovalFromTheList)
{
    WriteSettingsFile("[Phones]\r\nCount=2\r\n"
                      "[Phone1]\r\nOID=VP1\r\nType=RH-9\r\nName=Virtual RH-9\r\n"
                      "[Phone2]\r\nOID=VP2\r\nType=NPM-8\r\nName=Second\r\n");
    ASSERT_TRUE(WaitForEvent(1, "VP2"));
    EXPECT_FALSE(Find(1, "VP1"));

    SetSetting("Phone2", "Name", "Renamed");
    ASSERT_TRUE(WaitForEvent(4, "VP2"));
    EXPECT_EQ("Renamed", Find(4, "VP2")->text);
    SetSetting("Phone2", "Type", "NHL-4");
    ASSERT_TRUE(WaitForEvent(2, "VP2"));

    SetSetting("Phones", "Count", "1");
    ASSERT_TRUE(WaitForEvent(5, "VP2"));
    EXPECT_EQ(twdsRemoved, Find(5, "VP2")->status);
    EXPECT_FALSE(Find(5, "VP1"));
}

TEST_F(TwmpcDeviceEvents, UnadvisedSinkHearsNothing)
{
    ASSERT_EQ(S_OK, point->Unadvise(cookie));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(cookie));
    SetSetting("Phone1", "Attached", "0");
    // A second sink proves the event went out.
    EventSink other;
    DWORD otherCookie = 0;
    ASSERT_EQ(S_OK, point->Advise(&other, &otherCookie));
    SetSetting("Phone1", "Attached", "1");
    ASSERT_TRUE(PumpUntil([&] { return !other.events.empty(); }));
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(S_OK, point->Unadvise(otherCookie));
    point.Reset();
}

} // namespace
