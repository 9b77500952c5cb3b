// A scripted phone in the test process: the component's device manager with
// its device-list connection point, devices, and a message stream that
// answers the ringtone service's requests from a store of ringtones.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "TWMPC.h"

struct StoredTone {
    uint16_t location;
    std::u16string name;
    std::vector<uint8_t> data;
};

// The IDispatch half of a dual interface, which the program never calls.
template <class Interface> class FakeDual : public Interface {
public:
    STDMETHODIMP GetTypeInfoCount(UINT *) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override
    {
        return E_NOTIMPL;
    }
};

// What the next transaction does instead of answering normally.
enum class Fault { None, RefuseBegin, Timeout, WrongType, NoReply };

class FakeStream : public FakeDual<ITWMsgStream> {
public:
    FakeStream() = default;
    virtual ~FakeStream() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void **object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Begin(VARIANT message, long *xact) override;
    STDMETHODIMP Wait(long xact, long timeout) override;
    STDMETHODIMP Recv(long xact, VARIANT *reply) override;
    STDMETHODIMP End(long xact) override;

    // The reply the phone gives to one request.
    std::vector<uint8_t> Answer(const std::vector<uint8_t> &request);

    ULONG refs = 1;
    std::vector<StoredTone> store;
    uint16_t nextLocation = 0x0100;
    std::vector<std::vector<uint8_t>> requests;
    std::vector<Fault> faults; // consumed one per transaction
    std::vector<long> timeouts;
    // Run inside Wait, as a component event would be.
    std::function<void()> duringWait;

private:
    std::vector<uint8_t> pending_;
    Fault fault_ = Fault::None;
};

class FakeDevice : public FakeDual<ITWDevice> {
public:
    FakeDevice(std::wstring id, std::wstring type, std::wstring name, FakeStream *stream);
    virtual ~FakeDevice();

    STDMETHODIMP QueryInterface(REFIID iid, void **object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP get_OID(BSTR *id) override;
    STDMETHODIMP get_Status(TWDStatus *status) override;
    STDMETHODIMP get_Manufacturer(BSTR *text) override;
    STDMETHODIMP get_Link(BSTR *text) override;
    STDMETHODIMP get_Type(BSTR *productCode) override;
    STDMETHODIMP get_Name(BSTR *name) override;
    STDMETHODIMP put_Name(BSTR name) override;
    STDMETHODIMP HasService(BSTR service, VARIANT_BOOL *present) override;
    STDMETHODIMP QueryService(BSTR service, IUnknown **object) override;

    ULONG refs = 1;
    std::wstring id, type, name;
    FakeStream *stream; // null: QueryService fails
    std::vector<std::wstring> servicesAsked;
};

class FakeDeviceManager : public FakeDual<ITWDevMgr>, public IConnectionPointContainer, public IConnectionPoint {
public:
    FakeDeviceManager() = default;
    virtual ~FakeDeviceManager();

    STDMETHODIMP QueryInterface(REFIID iid, void **object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Initialize(long flags) override;
    STDMETHODIMP Shutdown(long flags) override;
    STDMETHODIMP EnumDevices(long flags, IEnumUnknown **devices) override;
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints **) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint **point) override;
    // IConnectionPoint
    STDMETHODIMP GetConnectionInterface(IID *iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer **container) override;
    STDMETHODIMP Advise(IUnknown *sink, DWORD *cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections **) override { return E_NOTIMPL; }

    // Adds a device (taking over the caller's reference).
    FakeDevice *Attach(FakeDevice *device);
    // Fires the events as the component does: through IDispatch::Invoke.
    void FireDeviceAdded(const std::wstring &id);
    void FireDeviceDeleted(const std::wstring &id);
    void FireStatusChanged(const std::wstring &id, TWDStatus status);
    // Fires an event with arguments of any kind (DISPPARAMS order: last-first).
    HRESULT Fire(DISPID id, std::vector<VARIANT> argumentsLastFirst, VARIANT *result = nullptr);

    ULONG refs = 1;
    std::vector<FakeDevice *> devices;
    // Runs once inside the next EnumDevices, after the devices were taken:
    // what happens while the program waits on the component.
    std::function<void()> whileEnumerating;
    int enumerationDepth = 0, deepestEnumeration = 0;
    IDispatch *sink = nullptr;
    int initializeCalls = 0, shutdownCalls = 0, adviseCalls = 0, unadviseCalls = 0, enumerations = 0;
    DWORD lastUnadviseCookie = 0;
    bool shutdownBeforeRelease = false;
};
