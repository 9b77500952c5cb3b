#include "FakePhone.h"

#include <olectl.h>

#include <algorithm>

namespace {

void Put16(std::vector<uint8_t> &out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value & 0xFF));
}

uint16_t Get16(const std::vector<uint8_t> &in, size_t at)
{
    return at + 1 < in.size() ? static_cast<uint16_t>(in[at] << 8 | in[at + 1]) : 0;
}

void PutName(std::vector<uint8_t> &out, const std::u16string &name)
{
    for (char16_t unit : name)
        Put16(out, static_cast<uint16_t>(unit));
}

BSTR Copy(const std::wstring &text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

class FakeEnum : public IEnumUnknown {
public:
    explicit FakeEnum(const std::vector<FakeDevice *> &devices) : devices_(devices)
    {
        for (FakeDevice *d : devices_)
            d->AddRef();
    }
    virtual ~FakeEnum()
    {
        for (FakeDevice *d : devices_)
            d->Release();
    }
    STDMETHODIMP QueryInterface(REFIID iid, void **object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumUnknown)) {
            *object = static_cast<IEnumUnknown *>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    STDMETHODIMP Next(ULONG count, IUnknown **items, ULONG *fetched) override
    {
        ULONG got = 0;
        while (got < count && next_ < devices_.size()) {
            items[got] = static_cast<ITWDevice *>(devices_[next_++]);
            items[got]->AddRef();
            ++got;
        }
        if (fetched)
            *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        next_ += count;
        return next_ <= devices_.size() ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        next_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumUnknown **) override { return E_NOTIMPL; }

private:
    ULONG refs_ = 1;
    std::vector<FakeDevice *> devices_;
    size_t next_ = 0;
};

} // namespace

// ---- FakeStream

STDMETHODIMP FakeStream::QueryInterface(REFIID iid, void **object)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_ITWMsgStream)) {
        *object = static_cast<ITWMsgStream *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FakeStream::Release()
{
    ULONG left = --refs;
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP FakeStream::Begin(VARIANT message, long *xact)
{
    fault_ = Fault::None;
    if (!faults.empty()) {
        fault_ = faults.front();
        faults.erase(faults.begin());
    }
    if (fault_ == Fault::RefuseBegin || V_VT(&message) != (VT_ARRAY | VT_UI1) || !V_ARRAY(&message))
        return E_FAIL;
    SAFEARRAY *array = V_ARRAY(&message);
    const uint8_t *bytes = static_cast<const uint8_t *>(array->pvData);
    std::vector<uint8_t> request(bytes, bytes + array->rgsabound[0].cElements);
    requests.push_back(request);
    pending_ = fault_ == Fault::Timeout ? std::vector<uint8_t>() : Answer(request);
    *xact = static_cast<long>(requests.size());
    return S_OK;
}

STDMETHODIMP FakeStream::Wait(long, long timeout)
{
    timeouts.push_back(timeout);
    if (duringWait) {
        std::function<void()> event = duringWait;
        duringWait = nullptr;
        event();
    }
    return fault_ == Fault::Timeout ? S_FALSE : S_OK;
}

STDMETHODIMP FakeStream::Recv(long, VARIANT *reply)
{
    if (fault_ == Fault::NoReply)
        return E_FAIL;
    std::vector<uint8_t> bytes = fault_ == Fault::WrongType ? std::vector<uint8_t>{0x1F, 0x55} : pending_;
    SAFEARRAY *array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!bytes.empty())
        std::copy(bytes.begin(), bytes.end(), static_cast<uint8_t *>(array->pvData));
    V_VT(reply) = VT_ARRAY | VT_UI1;
    V_ARRAY(reply) = array;
    return S_OK;
}

STDMETHODIMP FakeStream::End(long) { return S_OK; }

std::vector<uint8_t> FakeStream::Answer(const std::vector<uint8_t> &request)
{
    std::vector<uint8_t> reply = {0x1F};
    uint8_t type = request.size() > 1 ? request[1] : 0;
    uint16_t location = Get16(request, 2);
    auto found = std::find_if(store.begin(), store.end(), [&](const StoredTone &t) { return t.location == location; });
    switch (type) {
    case 0x07:
        reply.insert(reply.end(), {0x08, 0x00, static_cast<uint8_t>(store.size())});
        for (const StoredTone &tone : store) {
            Put16(reply, static_cast<uint16_t>(8 + 2 * tone.name.size()));
            Put16(reply, tone.location);
            Put16(reply, 0);
            Put16(reply, static_cast<uint16_t>(tone.name.size()));
            PutName(reply, tone.name);
        }
        return reply;
    case 0x12:
        if (found == store.end())
            return {0x1F, 0x7F};
        reply.push_back(0x13);
        Put16(reply, location);
        reply.push_back(0x00);
        reply.push_back(static_cast<uint8_t>(found->name.size()));
        PutName(reply, found->name);
        Put16(reply, static_cast<uint16_t>(found->data.size()));
        reply.insert(reply.end(), found->data.begin(), found->data.end());
        return reply;
    case 0x0E: {
        size_t units = request.size() > 5 ? request[5] : 0;
        StoredTone tone;
        for (size_t i = 0; i < units; ++i)
            tone.name.push_back(static_cast<char16_t>(Get16(request, 6 + 2 * i)));
        size_t at = 6 + 2 * units;
        uint16_t size = Get16(request, at);
        if (at + 2 + size <= request.size())
            tone.data.assign(request.begin() + static_cast<long>(at + 2), request.begin() + static_cast<long>(at + 2 + size));
        if (location == 0x7FFF) {
            tone.location = nextLocation++;
            store.push_back(tone);
        } else if (found != store.end()) {
            tone.location = location;
            *found = tone;
        } else {
            return {0x1F, 0x7F};
        }
        reply.push_back(0x0F);
        return reply;
    }
    case 0x10:
        if (found == store.end())
            return {0x1F, 0x7F};
        store.erase(found);
        reply.push_back(0x11);
        return reply;
    default:
        return {0x1F, 0x7F};
    }
}

// ---- FakeDevice

FakeDevice::FakeDevice(std::wstring id_, std::wstring type_, std::wstring name_, FakeStream *stream_)
    : id(std::move(id_)), type(std::move(type_)), name(std::move(name_)), stream(stream_)
{
    if (stream)
        stream->AddRef();
}

FakeDevice::~FakeDevice()
{
    if (stream)
        stream->Release();
}

STDMETHODIMP FakeDevice::QueryInterface(REFIID iid, void **object)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_ITWDevice)) {
        *object = static_cast<ITWDevice *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FakeDevice::Release()
{
    ULONG left = --refs;
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP FakeDevice::get_OID(BSTR *out)
{
    *out = Copy(id);
    return S_OK;
}
STDMETHODIMP FakeDevice::get_Status(TWDStatus *status)
{
    *status = twdsActive;
    return S_OK;
}
STDMETHODIMP FakeDevice::get_Manufacturer(BSTR *text)
{
    *text = Copy(L"Nokia");
    return S_OK;
}
STDMETHODIMP FakeDevice::get_Link(BSTR *text)
{
    *text = Copy(L"Cable");
    return S_OK;
}
STDMETHODIMP FakeDevice::get_Type(BSTR *productCode)
{
    *productCode = Copy(type);
    return S_OK;
}
STDMETHODIMP FakeDevice::get_Name(BSTR *out)
{
    if (name.empty()) {
        *out = nullptr;
        return E_FAIL;
    }
    *out = Copy(name);
    return S_OK;
}
STDMETHODIMP FakeDevice::put_Name(BSTR text)
{
    name = text ? text : L"";
    return S_OK;
}
STDMETHODIMP FakeDevice::HasService(BSTR, VARIANT_BOOL *present)
{
    *present = stream ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}
STDMETHODIMP FakeDevice::QueryService(BSTR service, IUnknown **object)
{
    servicesAsked.emplace_back(service ? std::wstring(service, SysStringLen(service)) : std::wstring());
    *object = nullptr;
    if (!stream || servicesAsked.back() != L"NkMsgStm:")
        return E_NOINTERFACE;
    *object = static_cast<ITWMsgStream *>(stream);
    stream->AddRef();
    return S_OK;
}

// ---- FakeDeviceManager

FakeDeviceManager::~FakeDeviceManager()
{
    for (FakeDevice *d : devices)
        d->Release();
    if (sink)
        sink->Release();
}

STDMETHODIMP FakeDeviceManager::QueryInterface(REFIID iid, void **object)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_ITWDevMgr))
        *object = static_cast<ITWDevMgr *>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        *object = static_cast<IConnectionPointContainer *>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) FakeDeviceManager::Release()
{
    ULONG left = --refs;
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP FakeDeviceManager::Initialize(long)
{
    ++initializeCalls;
    return S_OK;
}

STDMETHODIMP FakeDeviceManager::Shutdown(long)
{
    ++shutdownCalls;
    return S_OK;
}

STDMETHODIMP FakeDeviceManager::EnumDevices(long, IEnumUnknown **out)
{
    ++enumerations;
    *out = new FakeEnum(devices);
    ++enumerationDepth;
    deepestEnumeration = std::max(deepestEnumeration, enumerationDepth);
    if (whileEnumerating) {
        std::function<void()> run = std::move(whileEnumerating);
        whileEnumerating = nullptr;
        run();
    }
    --enumerationDepth;
    return S_OK;
}

STDMETHODIMP FakeDeviceManager::FindConnectionPoint(REFIID iid, IConnectionPoint **point)
{
    *point = nullptr;
    if (!IsEqualIID(iid, DIID__ITWDevListEvents))
        return CONNECT_E_NOCONNECTION;
    *point = static_cast<IConnectionPoint *>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP FakeDeviceManager::GetConnectionInterface(IID *iid)
{
    *iid = DIID__ITWDevListEvents;
    return S_OK;
}

STDMETHODIMP FakeDeviceManager::GetConnectionPointContainer(IConnectionPointContainer **container)
{
    *container = static_cast<IConnectionPointContainer *>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP FakeDeviceManager::Advise(IUnknown *unknown, DWORD *cookie)
{
    ++adviseCalls;
    IDispatch *dispatch = nullptr;
    if (FAILED(unknown->QueryInterface(DIID__ITWDevListEvents, reinterpret_cast<void **>(&dispatch))))
        return CONNECT_E_CANNOTCONNECT;
    if (sink)
        sink->Release();
    sink = dispatch;
    *cookie = 0x1234;
    return S_OK;
}

STDMETHODIMP FakeDeviceManager::Unadvise(DWORD cookie)
{
    ++unadviseCalls;
    lastUnadviseCookie = cookie;
    if (cookie != 0x1234 || !sink)
        return CONNECT_E_NOCONNECTION;
    sink->Release();
    sink = nullptr;
    return S_OK;
}

FakeDevice *FakeDeviceManager::Attach(FakeDevice *device)
{
    devices.push_back(device);
    return device;
}

HRESULT FakeDeviceManager::Fire(DISPID id, std::vector<VARIANT> arguments, VARIANT *result)
{
    if (!sink)
        return E_FAIL;
    DISPPARAMS params = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    HRESULT hr = sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr, nullptr);
    for (VARIANT &v : arguments)
        VariantClear(&v);
    return hr;
}

namespace {

VARIANT Text(const std::wstring &text)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = Copy(text);
    return v;
}

VARIANT Number(long value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

} // namespace

void FakeDeviceManager::FireDeviceAdded(const std::wstring &id) { Fire(1, {Text(id)}); }
void FakeDeviceManager::FireDeviceDeleted(const std::wstring &id) { Fire(3, {Text(id)}); }
void FakeDeviceManager::FireStatusChanged(const std::wstring &id, TWDStatus status)
{
    Fire(5, {Number(status), Text(id)});
}
