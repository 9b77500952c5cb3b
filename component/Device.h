// A virtual phone as a device object (ITWDevice). It keeps the phone's OID;
// everything else is read from the settings at each call, so a detached
// phone's object answers twdsRemoved and offers no stream.
#pragma once

#include <windows.h>

#include <string>

#include "ComPtr.h"
#include "DualInterface.h"
#include "ServerObject.h"
#include "Settings.h"
#include "TWMPC.h"

class VirtualPhones;

// The one service a phone offers: its message stream.
constexpr wchar_t kMessageStreamService[] = L"NkMsgStm:";

class Device : public DualInterface<ITWDevice>, private ServerObject {
public:
    static ComPtr<IUnknown> Create(VirtualPhones &phones, const VirtualPhone &phone);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefObject(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseObject(); }

    HRESULT STDMETHODCALLTYPE get_OID(BSTR *id) override;
    HRESULT STDMETHODCALLTYPE get_Status(TWDStatus *status) override;
    HRESULT STDMETHODCALLTYPE get_Manufacturer(BSTR *text) override;
    HRESULT STDMETHODCALLTYPE get_Link(BSTR *text) override;
    HRESULT STDMETHODCALLTYPE get_Type(BSTR *productCode) override;
    HRESULT STDMETHODCALLTYPE get_Name(BSTR *name) override;
    HRESULT STDMETHODCALLTYPE put_Name(BSTR name) override;
    HRESULT STDMETHODCALLTYPE HasService(BSTR service, VARIANT_BOOL *present) override;
    HRESULT STDMETHODCALLTYPE QueryService(BSTR service, IUnknown **object) override;

private:
    Device(VirtualPhones &phones, const VirtualPhone &phone);

    // The phone as now listed, or as last seen when it is no longer listed.
    const VirtualPhone &Current();
    bool OffersStream(BSTR service);

    VirtualPhones &phones_;
    VirtualPhone lastSeen_;
};
