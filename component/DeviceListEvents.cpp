#include "DeviceListEvents.h"

#include <algorithm>

#include "BstrText.h"
#include "QueryInterfaceOf.h"

namespace {

constexpr size_t kMaxSinks = 64;

// A BSTR from ANSI text, freed by the VARIANT that holds it.
void SetText(VARIANT &v, const std::string &text)
{
    VariantInit(&v);
    BSTR b = AnsiToBstr(text);
    if (!b)
        return;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = b;
}

} // namespace

HRESULT STDMETHODCALLTYPE DeviceListEvents::QueryInterface(REFIID iid, void **object)
{
    return QueryInterfaceOf(static_cast<IConnectionPoint *>(this), iid, IID_IConnectionPoint, false, object);
}

HRESULT STDMETHODCALLTYPE DeviceListEvents::GetConnectionInterface(IID *iid)
{
    if (!iid)
        return E_POINTER;
    *iid = DIID__ITWDevListEvents;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceListEvents::GetConnectionPointContainer(IConnectionPointContainer **container)
{
    if (!container)
        return E_POINTER;
    owner_->AddRef();
    *container = owner_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceListEvents::Advise(IUnknown *sink, DWORD *cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    if (sinks_.size() >= kMaxSinks)
        return CONNECT_E_ADVISELIMIT;
    Sink s;
    if (FAILED(sink->QueryInterface(DIID__ITWDevListEvents, reinterpret_cast<void **>(s.dispatch.Receive()))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(s.dispatch.Receive()))))
        return CONNECT_E_CANNOTCONNECT;
    s.cookie = nextCookie_++;
    sinks_.push_back(s);
    *cookie = s.cookie;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceListEvents::Unadvise(DWORD cookie)
{
    auto at = std::find_if(sinks_.begin(), sinks_.end(), [&](const Sink &s) { return s.cookie == cookie; });
    if (at == sinks_.end())
        return CONNECT_E_NOCONNECTION;
    // Released after the list is consistent: a cross-process Release can
    // let other calls in.
    ComPtr<IDispatch> leaving = at->dispatch;
    sinks_.erase(at);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceListEvents::EnumConnections(IEnumConnections **connections)
{
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}

void DeviceListEvents::DeviceAdded(const std::string &oid)
{
    VARIANT args[1];
    SetText(args[0], oid);
    Fire(1, args, 1);
}

void DeviceListEvents::DeviceModified(const std::string &oid)
{
    VARIANT args[1];
    SetText(args[0], oid);
    Fire(2, args, 1);
}

void DeviceListEvents::DeviceRenamed(const std::string &oid, const std::string &name)
{
    VARIANT args[2];
    SetText(args[0], oid);
    SetText(args[1], name);
    Fire(4, args, 2);
}

void DeviceListEvents::DeviceStatusChanged(const std::string &oid, TWDStatus status)
{
    VARIANT args[2];
    SetText(args[0], oid);
    VariantInit(&args[1]);
    V_VT(&args[1]) = VT_I4;
    V_I4(&args[1]) = status;
    Fire(5, args, 2);
}

void DeviceListEvents::Fire(DISPID id, VARIANT *arguments, UINT count)
{
    // DISPPARAMS hold the arguments last first.
    std::vector<VARIANT> reversed(arguments, arguments + count);
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params = {reversed.data(), nullptr, count, 0};
    // A sink may unadvise while its event runs: fire to a copy of the list.
    std::vector<Sink> sinks = sinks_;
    for (Sink &s : sinks)
        s.dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    for (UINT i = 0; i < count; ++i)
        VariantClear(&arguments[i]);
}
