// The device manager's connection point for _ITWDevListEvents: the sinks
// advised on it and the events fired to them. It is part of its device
// manager and shares the manager's reference count.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "ComPtr.h"
#include "TWMPC.h"

class DeviceListEvents : public IConnectionPoint {
public:
    explicit DeviceListEvents(IConnectionPointContainer *owner) : owner_(owner) {}
    DeviceListEvents(const DeviceListEvents &) = delete;
    DeviceListEvents &operator=(const DeviceListEvents &) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID *iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer **container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown *sink, DWORD *cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections **connections) override;

    void DeviceAdded(const std::string &oid);
    void DeviceModified(const std::string &oid);
    void DeviceRenamed(const std::string &oid, const std::string &name);
    void DeviceStatusChanged(const std::string &oid, TWDStatus status);

private:
    struct Sink {
        DWORD cookie;
        ComPtr<IDispatch> dispatch;
    };

    // arguments in the order of the event's parameters
    void Fire(DISPID id, VARIANT *arguments, UINT count);

    IConnectionPointContainer *owner_;
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
};
