// An owned COM interface pointer: released when the owner goes, never copied
// without AddRef.
#pragma once

#include <unknwn.h>

template <class T> class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T *owned) : p_(owned) {}
    ComPtr(const ComPtr &other) : p_(other.p_)
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(ComPtr &&other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ~ComPtr() { Reset(); }

    ComPtr &operator=(ComPtr other) noexcept
    {
        T *old = p_;
        p_ = other.p_;
        other.p_ = old;
        return *this;
    }

    // Takes a new reference on p.
    static ComPtr Share(T *p)
    {
        if (p)
            p->AddRef();
        return ComPtr(p);
    }

    void Reset()
    {
        T *old = p_;
        p_ = nullptr;
        if (old)
            old->Release();
    }

    // Releases what is held and gives the slot to a function that fills it.
    T **Receive()
    {
        Reset();
        return &p_;
    }

    T *Detach()
    {
        T *p = p_;
        p_ = nullptr;
        return p;
    }

    T *Get() const { return p_; }
    T *operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    template <class U> HRESULT As(const IID &iid, ComPtr<U> &out) const
    {
        return p_ ? p_->QueryInterface(iid, reinterpret_cast<void **>(out.Receive())) : E_POINTER;
    }

private:
    T *p_ = nullptr;
};
