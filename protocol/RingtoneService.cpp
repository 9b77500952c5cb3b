#include "RingtoneService.h"

#include <utility>

#include "Transaction.h"

namespace {

const char kTimeoutReceiving[] = "Timeout waiting for data from phone";
const char kTimeoutSending[] = "Timeout sending data to phone";
const char kNoResponse[] = "Error getting response from phone";

// The message for a failed transaction: the time-out text for E_ABORT.
void ShowTransactionMessage(HWND owner, HRESULT result, const char *timeoutText)
{
    MessageBoxA(owner, result == E_ABORT ? timeoutText : kNoResponse, "Error", MB_OK);
}

// Runs a request; the reply's array, if any, passes to reply. A request
// buffer that could not be built fails as a refused Begin does.
HRESULT Exchange(ITWMsgStream *stream, const MessageBuffer &request, LONG timeout,
                 MessageBuffer &reply)
{
    if (request.Failed() || request.Absent())
        return E_FAIL;
    SAFEARRAY *received = nullptr;
    HRESULT result = RunTransaction(stream, request.Array(), &received, timeout);
    reply = MessageBuffer(received);
    return result;
}

MessageBuffer RequestOf(const RequestBytes &bytes)
{
    MessageBuffer request;
    request.Append(bytes.bytes, bytes.size);
    return request;
}

// The name's units, native order, into name; false when there is no memory.
bool WideOf(const ReplyName &replyName, HeapArray<wchar_t> &name)
{
    if (!name.Allocate(replyName.count))
        return false;
    CopyReplyName(replyName, reinterpret_cast<char16_t *>(name.Data()));
    return true;
}

} // namespace

bool RingtoneListing::Next(Ringtone &entry)
{
    RingtoneEntry listed;
    if (!reader_.Next(listed))
        return false;
    entry.location = listed.location;
    if (!WideOf(listed.name, entry.name))
        entry.name.Clear();
    return true;
}

int ListRingtones(ITWMsgStream *stream, HWND owner, ListingKind kind, RingtoneListing &listing)
{
    listing = RingtoneListing();
    if (!stream)
        return -1;
    MessageBuffer reply;
    HRESULT result = Exchange(stream, RequestOf(BuildListRequest(kind)), kListTimeout, reply);
    if (FAILED(result)) {
        ShowTransactionMessage(owner, result, kTimeoutReceiving);
        return -1;
    }
    if (!reply.Data())
        return E_FAIL;
    if (!IsReplyOfType(reply.Data(), reply.Size(), ListResp))
        return -1;
    ListReplyReader counter;
    if (!counter.Start(reply.Data(), reply.Size()))
        return E_FAIL;
    int count = 0;
    for (RingtoneEntry entry; counter.Next(entry);)
        ++count;
    listing.reply_ = std::move(reply);
    listing.reader_.Start(listing.reply_.Data(), listing.reply_.Size());
    return count;
}

HRESULT ReadRingtone(ITWMsgStream *stream, HWND owner, uint16_t location, HeapArray<wchar_t> &name,
                     MessageBuffer &data)
{
    if (!stream)
        return E_FAIL;
    MessageBuffer reply;
    HRESULT result = Exchange(stream, RequestOf(BuildReadRequest(location)), kReadTimeout, reply);
    if (FAILED(result)) {
        ShowTransactionMessage(owner, result, kTimeoutReceiving);
        return -1;
    }
    ReadReply read;
    if (!ParseReadReply(reply.Data(), reply.Size(), location, read))
        return E_FAIL;
    // The data buffer was passed in absent: a failed append leaves it so.
    if (!data.Append(read.data, read.dataSize) || !WideOf(read.name, name)) {
        data.Reset();
        name.Clear();
        ShowTransactionMessage(owner, E_FAIL, kTimeoutReceiving);
        return -1;
    }
    return S_OK;
}

HRESULT WriteRingtone(ITWMsgStream *stream, HWND owner, uint16_t location, const wchar_t *name,
                      const MessageBuffer &data)
{
    if (!stream)
        return E_FAIL;
    size_t nameUnits = name ? wcslen(name) : 0;
    RequestBytes header;
    // An incomplete file is not sent either.
    if (data.Failed() ||
        !BuildWriteHeader(location, reinterpret_cast<const char16_t *>(name), nameUnits,
                          data.Size(), header))
        return E_INVALIDARG;
    static const uint8_t kClosing[2] = {0x00, 0x00};
    MessageBuffer request = RequestOf(header);
    request.AppendArray(data.Array());
    request.Append(kClosing, sizeof kClosing);

    MessageBuffer reply;
    HRESULT result = Exchange(stream, request, kWriteTimeout, reply);
    if (FAILED(result)) {
        ShowTransactionMessage(owner, result, kTimeoutSending);
        return -1;
    }
    if (!IsReplyOfType(reply.Data(), reply.Size(), WriteResp))
        return E_FAIL;
    return S_OK;
}

HRESULT EraseRingtone(ITWMsgStream *stream, uint16_t location)
{
    if (!stream)
        return E_FAIL;
    MessageBuffer reply;
    if (FAILED(Exchange(stream, RequestOf(BuildEraseRequest(location)), kEraseTimeout, reply)) ||
        !IsReplyOfType(reply.Data(), reply.Size(), EraseResp))
        return E_FAIL;
    return S_OK;
}
