#include "Transaction.h"

#include "ComPtr.h"

HRESULT RunTransaction(ITWMsgStream *stream, SAFEARRAY *request, SAFEARRAY **reply, LONG timeout)
{
    if (!stream || !reply)
        return E_INVALIDARG;
    // A device event handled while Wait blocks may release the caller's
    // reference; this one keeps the stream alive until End has been called.
    ComPtr<ITWMsgStream> held = ComPtr<ITWMsgStream>::Share(stream);

    // The component gets a copy; the request stays the caller's. A copy
    // that fails is still handed over, as an error variant.
    VARIANT message;
    VariantInit(&message);
    SAFEARRAY *copy = nullptr;
    VARTYPE type = VT_EMPTY;
    HRESULT copied = request ? SafeArrayGetVartype(request, &type) : E_INVALIDARG;
    if (SUCCEEDED(copied))
        copied = SafeArrayCopy(request, &copy);
    if (SUCCEEDED(copied)) {
        V_VT(&message) = static_cast<VARTYPE>(VT_ARRAY | type);
        V_ARRAY(&message) = copy;
    } else {
        V_VT(&message) = VT_ERROR;
        V_ERROR(&message) = copied;
    }

    LONG xact = 0;
    HRESULT begun = held->Begin(message, &xact);
    VariantClear(&message);
    if (FAILED(begun))
        return E_FAIL;

    if (held->Wait(xact, timeout) != S_OK) {
        held->End(xact);
        return E_ABORT;
    }

    // A failed Recv leaves the variant empty, which the type check refuses.
    VARIANT received;
    VariantInit(&received);
    held->Recv(xact, &received);
    held->End(xact);
    if (V_VT(&received) != (VT_ARRAY | VT_UI1)) {
        VariantClear(&received);
        return E_UNEXPECTED;
    }
    *reply = V_ARRAY(&received);
    return S_OK;
}
