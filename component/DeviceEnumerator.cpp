#include "DeviceEnumerator.h"

#include "QueryInterfaceOf.h"

IEnumUnknown *DeviceEnumerator::Create(const std::vector<ComPtr<IUnknown>> &items, size_t position)
{
    return new DeviceEnumerator(items, position);
}

HRESULT STDMETHODCALLTYPE DeviceEnumerator::QueryInterface(REFIID iid, void **object)
{
    return QueryInterfaceOf(static_cast<IEnumUnknown *>(this), iid, IID_IEnumUnknown, false, object);
}

HRESULT STDMETHODCALLTYPE DeviceEnumerator::Next(ULONG count, IUnknown **items, ULONG *fetched)
{
    if (!items || (count > 1 && !fetched))
        return E_POINTER;
    ULONG given = 0;
    while (given < count && position_ < items_.size()) {
        IUnknown *item = items_[position_++].Get();
        item->AddRef();
        items[given++] = item;
    }
    if (fetched)
        *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE DeviceEnumerator::Skip(ULONG count)
{
    size_t left = items_.size() - position_;
    if (count > left) {
        position_ = items_.size();
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceEnumerator::Reset()
{
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DeviceEnumerator::Clone(IEnumUnknown **copy)
{
    if (!copy)
        return E_POINTER;
    *copy = Create(items_, position_);
    return S_OK;
}
