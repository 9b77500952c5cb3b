#include "DeviceListSink.h"

#include <ocidl.h>

namespace {

enum EventId : DISPID {
    kDeviceAdded = 1,
    kDeviceDeleted = 3,
    kDeviceStatusChanged = 5,
};

constexpr UINT kMaxEventArguments = 2;

// The variant type an argument of the declared type arrives as: an
// enumeration (TWDStatus) is a 32-bit integer.
VARTYPE ArgumentType(ITypeInfo *info, const TYPEDESC &type)
{
    if (type.vt != VT_USERDEFINED)
        return type.vt;
    ComPtr<ITypeInfo> referenced;
    if (FAILED(info->GetRefTypeInfo(type.hreftype, referenced.Receive())) || !referenced)
        return VT_EMPTY;
    TYPEATTR *attributes = nullptr;
    if (FAILED(referenced->GetTypeAttr(&attributes)) || !attributes)
        return VT_EMPTY;
    VARTYPE vt = VT_EMPTY;
    if (attributes->typekind == TKIND_ENUM)
        vt = VT_I4;
    else if (attributes->typekind == TKIND_ALIAS)
        vt = ArgumentType(referenced.Get(), attributes->tdescAlias);
    referenced->ReleaseTypeAttr(attributes);
    return vt;
}

// The declared argument types of event id, in declaration order.
bool EventArgumentTypes(ITypeInfo *info, DISPID id, VARTYPE (&types)[kMaxEventArguments], UINT &count)
{
    TYPEATTR *attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes)) || !attributes)
        return false;
    WORD functions = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC *function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function)) || !function)
            continue;
        bool found = function->memid == id && function->cParams <= static_cast<SHORT>(kMaxEventArguments);
        if (found) {
            count = static_cast<UINT>(function->cParams);
            for (UINT a = 0; a < count; ++a) {
                types[a] = ArgumentType(info, function->lprgelemdescParam[a].tdesc);
                found = found && types[a] != VT_EMPTY;
            }
        }
        bool matched = function->memid == id;
        info->ReleaseFuncDesc(function);
        if (matched)
            return found;
    }
    return false;
}

class Arguments {
public:
    Arguments()
    {
        for (VARIANT &v : values)
            VariantInit(&v);
    }
    ~Arguments()
    {
        for (VARIANT &v : values)
            VariantClear(&v);
    }
    Arguments(const Arguments &) = delete;
    Arguments &operator=(const Arguments &) = delete;

    VARIANT values[kMaxEventArguments];
};

} // namespace

STDMETHODIMP DeviceListSink::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID__ITWDevListEvents)) {
        *object = static_cast<IDispatch *>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP DeviceListSink::GetTypeInfoCount(UINT *count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP DeviceListSink::GetTypeInfo(UINT index, LCID, ITypeInfo **info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    ITypeInfo *events = EventTypeInfo();
    if (!events)
        return TYPE_E_CANTLOADLIBRARY;
    events->AddRef();
    *info = events;
    return S_OK;
}

STDMETHODIMP DeviceListSink::GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids)
{
    ITypeInfo *events = EventTypeInfo();
    if (!events)
        return TYPE_E_CANTLOADLIBRARY;
    return events->GetIDsOfNames(names, count, ids);
}

STDMETHODIMP DeviceListSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *result,
                                    EXCEPINFO *, UINT *)
{
    bool dispatched = false;
    HRESULT handled = Dispatch(id, params, dispatched);
    if (dispatched && result) {
        VariantInit(result);
        V_VT(result) = VT_ERROR;
        V_ERROR(result) = handled;
    }
    return S_OK;
}

ITypeInfo *DeviceListSink::EventTypeInfo()
{
    if (!typeInfo_) {
        ComPtr<ITypeLib> library;
        if (SUCCEEDED(LoadRegTypeLib(LIBID_TWMPCLib, majorVersion_, minorVersion_, 0, library.Receive())) &&
            library)
            library->GetTypeInfoOfGuid(DIID__ITWDevListEvents, typeInfo_.Receive());
    }
    return typeInfo_.Get();
}

HRESULT DeviceListSink::Dispatch(DISPID id, DISPPARAMS *params, bool &dispatched)
{
    if ((id != kDeviceAdded && id != kDeviceDeleted && id != kDeviceStatusChanged) || !params)
        return S_OK;
    ITypeInfo *events = EventTypeInfo();
    VARTYPE types[kMaxEventArguments] = {};
    UINT count = 0;
    if (!events || !EventArgumentTypes(events, id, types, count))
        return S_OK;
    // DispGetParam counts positions in declaration order and reads the
    // arguments, which arrive last-first, accordingly.
    Arguments arguments;
    for (UINT i = 0; i < count; ++i) {
        UINT error = 0;
        if (FAILED(DispGetParam(params, i, types[i], &arguments.values[i], &error)))
            return S_OK;
    }
    const VARIANT *args = arguments.values;
    switch (id) {
    case kDeviceAdded:
        if (count != 1 || V_VT(&args[0]) != VT_BSTR)
            return S_OK;
        dispatched = true;
        return events_.DeviceAdded(V_BSTR(&args[0]));
    case kDeviceDeleted:
        if (count != 1 || V_VT(&args[0]) != VT_BSTR)
            return S_OK;
        dispatched = true;
        return events_.DeviceDeleted(V_BSTR(&args[0]));
    default:
        if (count != 2 || V_VT(&args[0]) != VT_BSTR || V_VT(&args[1]) != VT_I4)
            return S_OK;
        dispatched = true;
        return events_.DeviceStatusChanged(V_BSTR(&args[0]), static_cast<TWDStatus>(V_I4(&args[1])));
    }
}

namespace {

HRESULT FindDeviceListPoint(ITWDevMgr *manager, ComPtr<IConnectionPoint> &point)
{
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = manager->QueryInterface(IID_IConnectionPointContainer,
                                         reinterpret_cast<void **>(container.Receive()));
    if (FAILED(hr))
        return hr;
    if (!container)
        return E_NOINTERFACE;
    hr = container->FindConnectionPoint(DIID__ITWDevListEvents, point.Receive());
    if (SUCCEEDED(hr) && !point)
        return E_NOINTERFACE;
    return hr;
}

} // namespace

HRESULT SubscribeDeviceList(ITWDevMgr *manager, DeviceListSink &sink)
{
    ComPtr<IConnectionPoint> point;
    HRESULT hr = FindDeviceListPoint(manager, point);
    if (FAILED(hr))
        return hr;
    return point->Advise(static_cast<IDispatch *>(&sink), &sink.eventCookie);
}

HRESULT UnsubscribeDeviceList(ITWDevMgr *manager, DeviceListSink &sink)
{
    ComPtr<IConnectionPoint> point;
    HRESULT hr = FindDeviceListPoint(manager, point);
    if (SUCCEEDED(hr))
        hr = point->Unadvise(sink.eventCookie);
    sink.eventCookie = DeviceListSink::kNotSubscribed;
    return hr;
}
