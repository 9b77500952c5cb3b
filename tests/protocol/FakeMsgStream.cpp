#include "FakeMsgStream.h"

#include <cstring>

HRESULT FakeMsgStream::QueryInterface(REFIID iid, void **out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_ITWMsgStream)) {
        *out = static_cast<ITWMsgStream *>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeMsgStream::Release()
{
    ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT FakeMsgStream::GetTypeInfoCount(UINT *count)
{
    *count = 0;
    return S_OK;
}

HRESULT FakeMsgStream::GetTypeInfo(UINT, LCID, ITypeInfo **info)
{
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT FakeMsgStream::GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *)
{
    return E_NOTIMPL;
}

HRESULT FakeMsgStream::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *,
                              UINT *)
{
    return E_NOTIMPL;
}

HRESULT FakeMsgStream::Begin(VARIANT message, LONG *xact)
{
    // The message is the caller's: it is copied, as the component does.
    log_.calls.push_back("Begin");
    log_.requestType = V_VT(&message);
    if ((V_VT(&message) & VT_ARRAY) && V_ARRAY(&message)) {
        SAFEARRAY *array = V_ARRAY(&message);
        log_.requestArray = array;
        log_.requestLowerBound = array->rgsabound[0].lLbound;
        const auto *bytes = static_cast<const uint8_t *>(array->pvData);
        log_.request.assign(bytes, bytes + array->rgsabound[0].cElements);
    }
    if (FAILED(script_.begin))
        return script_.begin;
    *xact = script_.xact;
    return script_.begin;
}

HRESULT FakeMsgStream::Wait(LONG xact, LONG timeout)
{
    log_.calls.push_back("Wait(" + std::to_string(xact) + ", " + std::to_string(timeout) + ")");
    if (script_.duringWait)
        script_.duringWait();
    return script_.wait;
}

HRESULT FakeMsgStream::Recv(LONG xact, VARIANT *reply)
{
    log_.calls.push_back("Recv(" + std::to_string(xact) + ")");
    if (FAILED(script_.recv) || script_.replyType == VT_EMPTY)
        return script_.recv;
    SAFEARRAY *array = nullptr;
    if (!script_.nullReplyArray) {
        SAFEARRAYBOUND bound{static_cast<ULONG>(script_.reply.size()), script_.replyLowerBound};
        array = SafeArrayCreate(static_cast<VARTYPE>(script_.replyType & VT_TYPEMASK), 1, &bound);
        if (!array)
            return E_OUTOFMEMORY;
        if (!script_.reply.empty())
            std::memcpy(array->pvData, script_.reply.data(), script_.reply.size());
    }
    V_VT(reply) = script_.replyType;
    V_ARRAY(reply) = array;
    return script_.recv;
}

HRESULT FakeMsgStream::End(LONG xact)
{
    log_.calls.push_back("End(" + std::to_string(xact) + ")");
    return S_OK;
}
