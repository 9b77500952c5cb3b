// The class object of one of the component's classes. It lives as long as
// its module, so its reference count is not kept.
#pragma once

#include <windows.h>
#include <unknwn.h>

class ClassFactory : public IClassFactory {
public:
    using CreateFunction = HRESULT (*)(void *context, REFIID iid, void **object);
    using LockFunction = void (*)(bool lock);

    ClassFactory(CreateFunction create, void *context, LockFunction lock)
        : create_(create), context_(context), lock_(lock) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID iid, void **object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    CreateFunction create_;
    void *context_;
    LockFunction lock_;
};
