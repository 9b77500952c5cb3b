// A virtual phone's message stream (ITWMsgStream). Begin copies the request
// and hands it to the phone at once; the reply becomes available after the
// link's delay. Wait blocks the server's thread until then or until the
// time-out, whichever is first.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "DualInterface.h"
#include "ServerObject.h"
#include "TWMPC.h"

class VirtualPhones;

// A request larger than any the ringtone service knows is refused by Begin.
constexpr size_t kMaxRequestBytes = 1u << 20;
// Transactions a client may leave open on one stream.
constexpr size_t kMaxOpenTransactions = 64;

class MessageStream : public DualInterface<ITWMsgStream>, private ServerObject {
public:
    // A new stream (one reference).
    static IUnknown *Create(VirtualPhones &phones, const std::string &oid);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefObject(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseObject(); }

    HRESULT STDMETHODCALLTYPE Begin(VARIANT message, LONG *xact) override;
    HRESULT STDMETHODCALLTYPE Wait(LONG xact, LONG timeout) override;
    HRESULT STDMETHODCALLTYPE Recv(LONG xact, VARIANT *reply) override;
    HRESULT STDMETHODCALLTYPE End(LONG xact) override;

private:
    MessageStream(VirtualPhones &phones, const std::string &oid);

    struct Transaction {
        std::vector<uint8_t> reply;
        DWORD readyAt = 0; // tick count at which the reply arrives
        bool dropped = false;
    };

    // Milliseconds until the reply is there, or -1 when it never comes.
    static long Remaining(const Transaction &t);

    VirtualPhones &phones_;
    std::string oid_;
    std::map<LONG, Transaction> open_;
    LONG nextXact_ = 1;
};
