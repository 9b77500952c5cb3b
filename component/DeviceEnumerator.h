// IEnumUnknown over the device objects of one EnumDevices call.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <vector>

#include "ComPtr.h"
#include "ServerObject.h"

class DeviceEnumerator : public IEnumUnknown, private ServerObject {
public:
    // A new enumerator (one reference) starting at position.
    static IEnumUnknown *Create(const std::vector<ComPtr<IUnknown>> &items, size_t position);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefObject(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseObject(); }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IUnknown **items, ULONG *fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumUnknown **copy) override;

private:
    DeviceEnumerator(const std::vector<ComPtr<IUnknown>> &items, size_t position) : items_(items), position_(position) {}

    std::vector<ComPtr<IUnknown>> items_;
    size_t position_;
};
