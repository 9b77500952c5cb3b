// Class TWDevMgr: enumerates the attached virtual phones and holds the
// connection point of their events.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "DeviceListEvents.h"
#include "DualInterface.h"
#include "ServerObject.h"
#include "TWMPC.h"

class VirtualPhones;

class DeviceManager : public DualInterface<ITWDevMgr>, public IConnectionPointContainer, private ServerObject {
public:
    // The class factory's creation function; context is the VirtualPhones.
    static HRESULT Create(void *context, REFIID iid, void **object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefObject(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseObject(); }

    HRESULT STDMETHODCALLTYPE Initialize(LONG flags) override;
    HRESULT STDMETHODCALLTYPE Shutdown(LONG flags) override;
    HRESULT STDMETHODCALLTYPE EnumDevices(LONG flags, IEnumUnknown **devices) override;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints **points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint **point) override;

private:
    explicit DeviceManager(VirtualPhones &phones);
    ~DeviceManager() override;

    VirtualPhones &phones_;
    DeviceListEvents events_;
};
