#include "Device.h"

#include "BstrText.h"
#include "MessageStream.h"
#include "QueryInterfaceOf.h"
#include "VirtualPhones.h"

namespace {

HRESULT GiveText(const std::string &text, BSTR *out)
{
    if (!out)
        return E_POINTER;
    *out = AnsiToBstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace

ComPtr<IUnknown> Device::Create(VirtualPhones &phones, const VirtualPhone &phone)
{
    return ComPtr<IUnknown>(static_cast<ITWDevice *>(new Device(phones, phone)));
}

Device::Device(VirtualPhones &phones, const VirtualPhone &phone)
    : DualInterface(phones.TypeInfo(IID_ITWDevice)), phones_(phones), lastSeen_(phone)
{
}

HRESULT STDMETHODCALLTYPE Device::QueryInterface(REFIID iid, void **object)
{
    return QueryInterfaceOf(static_cast<ITWDevice *>(this), iid, IID_ITWDevice, true, object);
}

const VirtualPhone &Device::Current()
{
    phones_.Refresh();
    const VirtualPhone *listed = phones_.Find(lastSeen_.oid);
    if (listed)
        lastSeen_ = *listed;
    else
        lastSeen_.attached = false;
    return lastSeen_;
}

HRESULT STDMETHODCALLTYPE Device::get_OID(BSTR *id)
{
    return GiveText(lastSeen_.oid, id);
}

HRESULT STDMETHODCALLTYPE Device::get_Status(TWDStatus *status)
{
    if (!status)
        return E_POINTER;
    *status = Current().attached ? twdsActive : twdsRemoved;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Device::get_Manufacturer(BSTR *text)
{
    return GiveText("Nokia", text);
}

HRESULT STDMETHODCALLTYPE Device::get_Link(BSTR *text)
{
    return GiveText("Virtual link", text);
}

HRESULT STDMETHODCALLTYPE Device::get_Type(BSTR *productCode)
{
    return GiveText(Current().type, productCode);
}

HRESULT STDMETHODCALLTYPE Device::get_Name(BSTR *name)
{
    return GiveText(Current().name, name);
}

HRESULT STDMETHODCALLTYPE Device::put_Name(BSTR name)
{
    std::string text = BstrToAnsi(name);
    if (text.size() > kMaxSettingText || text.find_first_of("\r\n") != std::string::npos)
        return E_INVALIDARG;
    return phones_.Rename(lastSeen_.oid, text);
}

bool Device::OffersStream(BSTR service)
{
    const VirtualPhone &phone = Current();
    return service && lstrcmpW(service, kMessageStreamService) == 0 && phone.attached && phone.hasStream;
}

HRESULT STDMETHODCALLTYPE Device::HasService(BSTR service, VARIANT_BOOL *present)
{
    if (!present)
        return E_POINTER;
    *present = OffersStream(service) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Device::QueryService(BSTR service, IUnknown **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!OffersStream(service))
        return E_NOINTERFACE;
    *object = MessageStream::Create(phones_, lastSeen_.oid);
    return S_OK;
}
