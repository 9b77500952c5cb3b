#include "MessageLayout.h"

namespace {

uint16_t BigEndian16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void PutBigEndian16(std::vector<uint8_t> &out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value & 0xFF));
}

// Units of a big-endian name read from the reply into a native string.
std::u16string ReadName(const uint8_t *units, size_t count)
{
    std::u16string name(count, u'\0');
    if (count > 0)
        SwapUtf16Bytes(&name[0], units, static_cast<int>(count));
    return name;
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

std::vector<uint8_t> BuildListRequest(ListingKind kind)
{
    if (kind == MainListing)
        return {kRingtoneService, ListReq, 0x00, 0x00, 0xFE, 0x00};
    return {kRingtoneService, ListReq, 0x00, 0x00, 0x00, 0x02};
}

std::vector<uint8_t> BuildReadRequest(uint16_t location)
{
    std::vector<uint8_t> request{kRingtoneService, ReadReq};
    PutBigEndian16(request, location);
    return request;
}

std::vector<uint8_t> BuildEraseRequest(uint16_t location)
{
    std::vector<uint8_t> request{kRingtoneService, EraseReq};
    PutBigEndian16(request, location);
    return request;
}

bool BuildWriteHeader(uint16_t location, const char16_t *name, size_t nameUnits,
                      size_t dataBytes, std::vector<uint8_t> &header)
{
    if (nameUnits > kMaxRingtoneNameUnits || dataBytes > kMaxRingtoneDataBytes ||
        (nameUnits > 0 && !name))
        return false;
    header = {kRingtoneService, WriteReq};
    PutBigEndian16(header, location);
    header.push_back(0xFE);
    header.push_back(static_cast<uint8_t>(nameUnits));
    header.resize(6 + 2 * nameUnits);
    if (nameUnits > 0)
        SwapUtf16Bytes(&header[6], name, static_cast<int>(nameUnits));
    PutBigEndian16(header, static_cast<uint16_t>(dataBytes));
    return true;
}

bool IsReplyOfType(const uint8_t *reply, size_t size, MessageType type)
{
    return reply && size >= 2 && reply[1] == type;
}

bool ParseListReply(const uint8_t *reply, size_t size, std::vector<RingtoneEntry> &entries)
{
    if (!IsReplyOfType(reply, size, ListResp) || size < 4)
        return false;
    unsigned count = reply[3];
    size_t offset = 4;
    for (unsigned i = 0; i < count; ++i) {
        if (!Holds(size, offset, 8))
            break;
        const uint8_t *entry = reply + offset;
        size_t length = BigEndian16(entry);
        size_t nameUnits = BigEndian16(entry + 6);
        if (length < 8 + 2 * nameUnits || !Holds(size, offset, length))
            break;
        entries.push_back({BigEndian16(entry + 2), ReadName(entry + 8, nameUnits)});
        offset += length;
    }
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
    out.name = ReadName(reply + 6, nameUnits);
    out.data = reply + lengthAt + 2;
    out.dataSize = dataSize;
    return true;
}
