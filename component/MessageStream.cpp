#include "MessageStream.h"

#include <oleauto.h>

#include "QueryInterfaceOf.h"
#include "ReplyFaults.h"
#include "RequestRecord.h"
#include "RingtoneRequests.h"
#include "RingtoneStore.h"
#include "VirtualPhones.h"

IUnknown *MessageStream::Create(VirtualPhones &phones, const std::string &oid)
{
    return static_cast<ITWMsgStream *>(new MessageStream(phones, oid));
}

MessageStream::MessageStream(VirtualPhones &phones, const std::string &oid)
    : DualInterface(phones.TypeInfo(IID_ITWMsgStream)), phones_(phones), oid_(oid)
{
}

HRESULT STDMETHODCALLTYPE MessageStream::QueryInterface(REFIID iid, void **object)
{
    return QueryInterfaceOf(static_cast<ITWMsgStream *>(this), iid, IID_ITWMsgStream, true, object);
}

HRESULT STDMETHODCALLTYPE MessageStream::Begin(VARIANT message, LONG *xact)
{
    if (!xact)
        return E_POINTER;
    *xact = 0;
    phones_.Refresh();
    const VirtualPhone *phone = phones_.Find(oid_);
    if (!phone || !phone->attached || !phone->hasStream)
        return HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);
    if (V_VT(&message) != (VT_ARRAY | VT_UI1) || !V_ARRAY(&message) || SafeArrayGetDim(V_ARRAY(&message)) != 1)
        return E_INVALIDARG;
    if (open_.size() >= kMaxOpenTransactions)
        return E_OUTOFMEMORY;
    if (phones_.TakeRefuseBegin())
        return E_FAIL;

    SAFEARRAY *array = V_ARRAY(&message);
    size_t size = array->rgsabound[0].cElements;
    if (size > kMaxRequestBytes)
        return E_INVALIDARG;
    std::vector<uint8_t> request(size);
    if (size) {
        void *data = nullptr;
        if (FAILED(SafeArrayAccessData(array, &data)))
            return E_INVALIDARG;
        memcpy(request.data(), data, size);
        SafeArrayUnaccessData(array);
    }

    RecordRequest(oid_, request.data(), request.size());
    RingtoneStore store = RingtoneStore::Load(oid_);
    RingtoneAnswer answer = AnswerRingtoneRequest(store, request.data(), request.size());
    if (answer.storeChanged && !store.Save(oid_))
        answer = ErrorAnswer(request[1], ReasonStoreFailure);

    Transaction t;
    long delay = LinkDelayMs(phones_.Settings().link, request.size(), answer.reply.size());
    long extraDelay = 0;
    ReplyFault fault = phones_.TakeReplyFault(extraDelay);
    if (fault == ReplyFault::Drop)
        t.dropped = true;
    else if (fault == ReplyFault::Delay)
        delay += extraDelay;
    else
        ApplyReplyFault(fault, answer.reply);
    t.reply = std::move(answer.reply);
    t.readyAt = GetTickCount() + static_cast<DWORD>(delay);

    LONG id = nextXact_++;
    if (nextXact_ <= 0)
        nextXact_ = 1;
    open_[id] = std::move(t);
    *xact = id;
    return S_OK;
}

long MessageStream::Remaining(const Transaction &t)
{
    if (t.dropped)
        return -1;
    LONG left = static_cast<LONG>(t.readyAt - GetTickCount());
    return left > 0 ? left : 0;
}

HRESULT STDMETHODCALLTYPE MessageStream::Wait(LONG xact, LONG timeout)
{
    auto at = open_.find(xact);
    if (at == open_.end())
        return E_INVALIDARG;
    long left = Remaining(at->second);
    if (timeout < 0)
        timeout = 0;
    if (left < 0 || left > timeout) {
        Sleep(static_cast<DWORD>(timeout));
        return S_FALSE;
    }
    Sleep(static_cast<DWORD>(left));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MessageStream::Recv(LONG xact, VARIANT *reply)
{
    if (!reply)
        return E_POINTER;
    VariantInit(reply);
    auto at = open_.find(xact);
    if (at == open_.end())
        return E_INVALIDARG;
    if (Remaining(at->second) != 0)
        return E_PENDING;
    const std::vector<uint8_t> &bytes = at->second.reply;
    SAFEARRAY *array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array)
        return E_OUTOFMEMORY;
    if (!bytes.empty()) {
        void *data = nullptr;
        if (FAILED(SafeArrayAccessData(array, &data))) {
            SafeArrayDestroy(array);
            return E_OUTOFMEMORY;
        }
        memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    V_VT(reply) = VT_ARRAY | VT_UI1;
    V_ARRAY(reply) = array;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MessageStream::End(LONG xact)
{
    return open_.erase(xact) ? S_OK : E_INVALIDARG;
}
