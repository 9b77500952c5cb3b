#include "RingtoneRequests.h"

#include "MessageLayout.h"

namespace {

void PutU16(std::vector<uint8_t> &out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

uint16_t GetU16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void PutName(std::vector<uint8_t> &out, const std::wstring &name)
{
    for (wchar_t unit : name)
        PutU16(out, static_cast<uint16_t>(unit));
}

RingtoneAnswer Reply(MessageType type, uint16_t location)
{
    RingtoneAnswer answer;
    answer.reply = {kRingtoneService, type};
    PutU16(answer.reply, location);
    return answer;
}

RingtoneAnswer List(const RingtoneStore &store, const uint8_t *request, size_t size)
{
    if (size != 6 || request[2] != 0 || request[3] != 0)
        return ErrorAnswer(ListReq, ReasonMalformed);
    bool mainListing = request[4] == 0xFE && request[5] == 0x00;
    bool locationListing = request[4] == 0x00 && request[5] == 0x02;
    if (!mainListing && !locationListing)
        return ErrorAnswer(ListReq, ReasonMalformed);

    RingtoneAnswer answer;
    answer.reply = {kRingtoneService, ListResp, 0x00, 0x00};
    uint8_t count = 0;
    for (const StoredRingtone &r : store.Ringtones()) {
        if (locationListing && r.preset)
            continue;
        PutU16(answer.reply, static_cast<uint16_t>(8 + 2 * r.name.size()));
        PutU16(answer.reply, r.location);
        PutU16(answer.reply, r.preset ? 1 : 0);
        PutU16(answer.reply, static_cast<uint16_t>(r.name.size()));
        PutName(answer.reply, r.name);
        ++count;
    }
    answer.reply[3] = count;
    return answer;
}

RingtoneAnswer Read(const RingtoneStore &store, const uint8_t *request, size_t size)
{
    if (size != 4)
        return ErrorAnswer(ReadReq, ReasonMalformed);
    uint16_t location = GetU16(request + 2);
    const StoredRingtone *r = store.Find(location);
    if (!r)
        return ErrorAnswer(ReadReq, ReasonUnknownLocation);
    RingtoneAnswer answer = Reply(ReadResp, location);
    answer.reply.push_back(0x00);
    answer.reply.push_back(static_cast<uint8_t>(r->name.size()));
    PutName(answer.reply, r->name);
    PutU16(answer.reply, static_cast<uint16_t>(r->data.size()));
    answer.reply.insert(answer.reply.end(), r->data.begin(), r->data.end());
    return answer;
}

RingtoneAnswer Write(RingtoneStore &store, const uint8_t *request, size_t size)
{
    if (size < 10 || request[4] != 0xFE)
        return ErrorAnswer(WriteReq, ReasonMalformed);
    size_t units = request[5];
    if (size < 8 + 2 * units)
        return ErrorAnswer(WriteReq, ReasonMalformed);
    size_t dataBytes = GetU16(request + 6 + 2 * units);
    const uint8_t *data = request + 8 + 2 * units;
    if (size != 10 + 2 * units + dataBytes || data[dataBytes] != 0 || data[dataBytes + 1] != 0)
        return ErrorAnswer(WriteReq, ReasonMalformed);

    StoredRingtone ringtone;
    ringtone.location = GetU16(request + 2);
    if (ringtone.location == NewRingtoneLocation) {
        ringtone.location = store.FreeLocation();
        if (ringtone.location == 0)
            return ErrorAnswer(WriteReq, ReasonStoreFull);
    } else {
        const StoredRingtone *old = store.Find(ringtone.location);
        if (!old)
            return ErrorAnswer(WriteReq, ReasonUnknownLocation);
        if (old->preset)
            return ErrorAnswer(WriteReq, ReasonPreset);
    }
    for (size_t u = 0; u < units; ++u)
        ringtone.name.push_back(static_cast<wchar_t>(GetU16(request + 6 + 2 * u)));
    ringtone.data.assign(data, data + dataBytes);
    store.Put(ringtone);

    RingtoneAnswer answer = Reply(WriteResp, ringtone.location);
    answer.storeChanged = true;
    return answer;
}

RingtoneAnswer Erase(RingtoneStore &store, const uint8_t *request, size_t size)
{
    if (size != 4)
        return ErrorAnswer(EraseReq, ReasonMalformed);
    uint16_t location = GetU16(request + 2);
    const StoredRingtone *r = store.Find(location);
    if (!r)
        return ErrorAnswer(EraseReq, ReasonUnknownLocation);
    if (r->preset)
        return ErrorAnswer(EraseReq, ReasonPreset);
    store.Erase(location);
    RingtoneAnswer answer = Reply(EraseResp, location);
    answer.storeChanged = true;
    return answer;
}

} // namespace

RingtoneAnswer ErrorAnswer(uint8_t requestType, ErrorReason reason)
{
    RingtoneAnswer answer;
    answer.reply = {kRingtoneService, kErrorResp, requestType, reason};
    return answer;
}

RingtoneAnswer AnswerRingtoneRequest(RingtoneStore &store, const uint8_t *request, size_t size)
{
    if (size < 2)
        return ErrorAnswer(0, ReasonMalformed);
    if (request[0] != kRingtoneService)
        return ErrorAnswer(request[1], ReasonMalformed);
    switch (request[1]) {
    case ListReq:
        return List(store, request, size);
    case ReadReq:
        return Read(store, request, size);
    case WriteReq:
        return Write(store, request, size);
    case EraseReq:
        return Erase(store, request, size);
    default:
        return ErrorAnswer(request[1], ReasonUnknownRequest);
    }
}
