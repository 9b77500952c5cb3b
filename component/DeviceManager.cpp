#include "DeviceManager.h"

#include <vector>

#include "Device.h"
#include "DeviceEnumerator.h"
#include "VirtualPhones.h"

HRESULT DeviceManager::Create(void *context, REFIID iid, void **object)
{
    auto *manager = new DeviceManager(*static_cast<VirtualPhones *>(context));
    HRESULT hr = manager->QueryInterface(iid, object);
    manager->Release();
    return hr;
}

DeviceManager::DeviceManager(VirtualPhones &phones)
    : DualInterface(phones.TypeInfo(IID_ITWDevMgr)), phones_(phones), events_(this)
{
    phones_.AddListener(&events_);
}

DeviceManager::~DeviceManager()
{
    phones_.RemoveListener(&events_);
}

HRESULT STDMETHODCALLTYPE DeviceManager::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
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

HRESULT STDMETHODCALLTYPE DeviceManager::Initialize(LONG)
{
    phones_.Refresh();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceManager::Shutdown(LONG)
{
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceManager::EnumDevices(LONG, IEnumUnknown **devices)
{
    if (!devices)
        return E_POINTER;
    phones_.Refresh();
    std::vector<ComPtr<IUnknown>> list;
    for (const VirtualPhone &phone : phones_.Settings().phones)
        if (phone.attached)
            list.push_back(Device::Create(phones_, phone));
    *devices = DeviceEnumerator::Create(list, 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceManager::EnumConnectionPoints(IEnumConnectionPoints **points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DeviceManager::FindConnectionPoint(REFIID iid, IConnectionPoint **point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, DIID__ITWDevListEvents))
        return CONNECT_E_NOCONNECTION;
    events_.AddRef();
    *point = &events_;
    return S_OK;
}
