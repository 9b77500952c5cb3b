// QueryInterface of an object that answers IUnknown and one interface
// (and IDispatch when that interface is dual).
#pragma once

#include <windows.h>
#include <unknwn.h>

template <class I> HRESULT QueryInterfaceOf(I *self, REFIID iid, REFIID own, bool dual, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, own) || (dual && IsEqualIID(iid, IID_IDispatch))) {
        self->AddRef();
        *object = self;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}
