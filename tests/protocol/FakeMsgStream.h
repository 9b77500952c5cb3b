// A message stream in the test process that records every call and answers
// one transaction from a script.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "TWMPC.h"

struct StreamScript {
    HRESULT begin = S_OK;
    LONG xact = 42;
    HRESULT wait = S_OK;
    HRESULT recv = S_OK;
    // The reply's variant type; VT_EMPTY leaves the variant empty, as a
    // failed Recv does.
    VARTYPE replyType = VT_ARRAY | VT_UI1;
    bool nullReplyArray = false;
    LONG replyLowerBound = 0;
    std::vector<uint8_t> reply;
    // Runs inside Wait, as a device event delivered while the caller waits.
    std::function<void()> duringWait;
};

// Outlives the stream, so that a test can read it after the last release.
struct StreamLog {
    // "Begin", "Wait(xact, timeout)", "Recv(xact)", "End(xact)", "Destroyed".
    std::vector<std::string> calls;
    VARTYPE requestType = VT_EMPTY;
    std::vector<uint8_t> request;
    LONG requestLowerBound = -1;
    const SAFEARRAY *requestArray = nullptr;
};

class FakeMsgStream : public ITWMsgStream {
public:
    // The stream starts with one reference, the creator's.
    FakeMsgStream(StreamScript script, StreamLog &log) : script_(std::move(script)), log_(log) {}
    virtual ~FakeMsgStream() { log_.calls.push_back("Destroyed"); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                     EXCEPINFO *, UINT *) override;

    HRESULT STDMETHODCALLTYPE Begin(VARIANT message, LONG *xact) override;
    HRESULT STDMETHODCALLTYPE Wait(LONG xact, LONG timeout) override;
    HRESULT STDMETHODCALLTYPE Recv(LONG xact, VARIANT *reply) override;
    HRESULT STDMETHODCALLTYPE End(LONG xact) override;

private:
    ULONG refs_ = 1;
    StreamScript script_;
    StreamLog &log_;
};
