// IDispatch of a dual interface, answered from the interface's type
// information in the type library embedded in TWMPC.exe.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "ComPtr.h"

template <class I> class DualInterface : public I {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (!count)
            return E_POINTER;
        *count = info_ ? 1 : 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo **info) override
    {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index != 0 || !info_)
            return DISP_E_BADINDEX;
        info_->AddRef();
        *info = info_.Get();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) override
    {
        if (!info_)
            return E_NOTIMPL;
        return DispGetIDsOfNames(info_.Get(), names, count, ids);
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                                     EXCEPINFO *exception, UINT *argumentError) override
    {
        if (!IsEqualIID(iid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        if (!info_)
            return E_NOTIMPL;
        return DispInvoke(static_cast<I *>(this), info_.Get(), id, flags, params, result, exception, argumentError);
    }

protected:
    explicit DualInterface(ComPtr<ITypeInfo> info) : info_(info) {}

private:
    ComPtr<ITypeInfo> info_;
};
