// The main window's sink for the component's device-list events
// (_ITWDevListEvents), typed from the component's registered type library.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "ComPtr.h"
#include "TWMPC.h"

// What the sink hands the events to.
class DeviceListEvents {
public:
    virtual HRESULT DeviceAdded(BSTR deviceId) = 0;
    virtual HRESULT DeviceDeleted(BSTR deviceId) = 0;
    virtual HRESULT DeviceStatusChanged(BSTR deviceId, TWDStatus newStatus) = 0;

protected:
    ~DeviceListEvents() = default;
};

// Embedded in its owner and living as long as it: AddRef and Release count
// nothing.
class DeviceListSink : public IDispatch {
public:
    static constexpr DWORD kNotSubscribed = 0xFEFEFEFE;

    explicit DeviceListSink(DeviceListEvents &events) : events_(events) {}
    DeviceListSink(const DeviceListSink &) = delete;
    DeviceListSink &operator=(const DeviceListSink &) = delete;
    virtual ~DeviceListSink() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void **object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT *count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID locale,
                               DISPID *ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS *params,
                        VARIANT *result, EXCEPINFO *exception, UINT *argumentError) override;

    DWORD eventCookie = kNotSubscribed;

private:
    ITypeInfo *EventTypeInfo();
    HRESULT Dispatch(DISPID id, DISPPARAMS *params, bool &dispatched);

    const WORD majorVersion_ = 1;
    const WORD minorVersion_ = 0;
    DeviceListEvents &events_;
    ComPtr<ITypeInfo> typeInfo_;
};

// Advise and Unadvise on the device manager's connection point for
// _ITWDevListEvents. Unsubscribing forgets the cookie whatever the outcome.
HRESULT SubscribeDeviceList(ITWDevMgr *manager, DeviceListSink &sink);
HRESULT UnsubscribeDeviceList(ITWDevMgr *manager, DeviceListSink &sink);
