#include "MessageLayout.h"

namespace {

uint16_t BigEndian16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void Put(RequestBytes &out, uint8_t byte)
{
    out.bytes[out.size++] = byte;
}

void PutBigEndian16(RequestBytes &out, uint16_t value)
{
    Put(out, static_cast<uint8_t>(value >> 8));
    Put(out, static_cast<uint8_t>(value & 0xFF));
}

// A request of the service's byte, the type and a 16-bit value.
RequestBytes LocationRequest(MessageType type, uint16_t location)
{
    RequestBytes request;
    Put(request, kRingtoneService);
    Put(request, type);
    PutBigEndian16(request, location);
    return request;
}

// Whether length bytes from offset lie inside a reply of size bytes; checked
// by subtraction, so that no sum of offsets can wrap.
bool Holds(size_t size, size_t offset, size_t length)
{
    return offset <= size && length <= size - offset;
}

} // namespace

int SwapUtf16Bytes(void *dst, const void *src, int count)
{
    if (!dst || !src)
        return 0;
    auto *out = static_cast<uint8_t *>(dst);
    const auto *in = static_cast<const uint8_t *>(src);
    const bool toTerminator = count == -1;
    const size_t units = count > 0 ? static_cast<size_t>(count) : 0;
    for (size_t i = 0; toTerminator || i < units; ++i) {
        uint8_t first = in[2 * i];
        uint8_t second = in[2 * i + 1];
        out[2 * i] = second;
        out[2 * i + 1] = first;
        if (toTerminator && first == 0 && second == 0)
            break;
    }
    return 1;
}

RequestBytes BuildListRequest(ListingKind kind)
{
    RequestBytes request = LocationRequest(ListReq, 0);
    PutBigEndian16(request, kind == MainListing ? 0xFE00 : 0x0002);
    return request;
}

RequestBytes BuildReadRequest(uint16_t location)
{
    return LocationRequest(ReadReq, location);
}

RequestBytes BuildEraseRequest(uint16_t location)
{
    return LocationRequest(EraseReq, location);
}

bool BuildWriteHeader(uint16_t location, const char16_t *name, size_t nameUnits,
                      size_t dataBytes, RequestBytes &header)
{
    if (nameUnits > kMaxRingtoneNameUnits || dataBytes > kMaxRingtoneDataBytes ||
        (nameUnits > 0 && !name))
        return false;
    header = LocationRequest(WriteReq, location);
    Put(header, 0xFE);
    Put(header, static_cast<uint8_t>(nameUnits));
    if (nameUnits > 0)
        SwapUtf16Bytes(header.bytes + header.size, name, static_cast<int>(nameUnits));
    header.size += 2 * nameUnits;
    PutBigEndian16(header, static_cast<uint16_t>(dataBytes));
    return true;
}

bool IsReplyOfType(const uint8_t *reply, size_t size, MessageType type)
{
    return reply && size >= 2 && reply[1] == type;
}

void CopyReplyName(const ReplyName &name, char16_t *out)
{
    if (name.count > 0)
        SwapUtf16Bytes(out, name.units, static_cast<int>(name.count));
}

bool ListReplyReader::Start(const uint8_t *reply, size_t size)
{
    *this = ListReplyReader();
    if (!IsReplyOfType(reply, size, ListResp) || size < 4)
        return false;
    reply_ = reply;
    size_ = size;
    offset_ = 4;
    left_ = reply[3];
    return true;
}

bool ListReplyReader::Next(RingtoneEntry &entry)
{
    if (left_ == 0 || !Holds(size_, offset_, 8))
        return false;
    const uint8_t *at = reply_ + offset_;
    size_t length = BigEndian16(at);
    size_t nameUnits = BigEndian16(at + 6);
    if (length < 8 + 2 * nameUnits || !Holds(size_, offset_, length)) {
        left_ = 0;
        return false;
    }
    entry.location = BigEndian16(at + 2);
    entry.name = {at + 8, nameUnits};
    offset_ += length;
    --left_;
    return true;
}

bool ParseReadReply(const uint8_t *reply, size_t size, uint16_t location, ReadReply &out)
{
    if (!IsReplyOfType(reply, size, ReadResp) || size < 6 || BigEndian16(reply + 2) != location)
        return false;
    size_t nameUnits = reply[5];
    size_t lengthAt = 6 + 2 * nameUnits;
    if (!Holds(size, lengthAt, 2))
        return false;
    size_t dataSize = BigEndian16(reply + lengthAt);
    if (!Holds(size, lengthAt + 2, dataSize))
        return false;
    out.name = {reply + 6, nameUnits};
    out.data = reply + lengthAt + 2;
    out.dataSize = dataSize;
    return true;
}
