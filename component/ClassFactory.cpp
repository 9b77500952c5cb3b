#include "ClassFactory.h"

#include "QueryInterfaceOf.h"

HRESULT STDMETHODCALLTYPE ClassFactory::QueryInterface(REFIID iid, void **object)
{
    return QueryInterfaceOf(static_cast<IClassFactory *>(this), iid, IID_IClassFactory, false, object);
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown *outer, REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return create_(context_, iid, object);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock)
{
    lock_(lock != FALSE);
    return S_OK;
}
