// Byte layout of the ringtone service's messages: requests built into fixed
// buffers, replies read in place from byte ranges. Includes no Windows
// header, so it also builds, is tested and is fuzzed on the host.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint8_t kRingtoneService = 0x1F;

enum MessageType : uint8_t {
    ListReq = 0x07,
    ListResp = 0x08,
    WriteReq = 0x0E,
    WriteResp = 0x0F,
    EraseReq = 0x10,
    EraseResp = 0x11,
    ReadReq = 0x12,
    ReadResp = 0x13,
};

enum ListingKind { MainListing, LocationListing };

// Time-outs of the requests, in milliseconds.
constexpr long kListTimeout = 3000;
constexpr long kWriteTimeout = 4000;
constexpr long kEraseTimeout = 2000;
constexpr long kReadTimeout = 2000;

constexpr uint16_t NewRingtoneLocation = 0x7FFF;

// The write request's header area holds 256 bytes: 8 bytes of fields and a
// name of at most 124 units. The data length field holds 16 bits.
constexpr size_t kMaxRingtoneNameUnits = 124;
constexpr size_t kMaxRingtoneDataBytes = 65535;

// Swaps the two bytes of each of count 16-bit units from src into dst; dst
// may equal src. A count of -1 swaps up to and including the first unit
// whose bytes are both zero. Returns 0 (doing nothing) when dst or src is
// null, 1 otherwise.
int SwapUtf16Bytes(void *dst, const void *src, int count);

// The bytes of a request, or of a write request's header (at most 256).
struct RequestBytes {
    uint8_t bytes[8 + 2 * kMaxRingtoneNameUnits];
    size_t size = 0;
};

RequestBytes BuildListRequest(ListingKind kind);
RequestBytes BuildReadRequest(uint16_t location);
RequestBytes BuildEraseRequest(uint16_t location);

// The first 2n + 8 bytes of a write request (n = nameUnits): the caller
// appends the data and the two closing zero bytes. Returns false, leaving
// header as it was, when the name or the data exceed the limits above.
bool BuildWriteHeader(uint16_t location, const char16_t *name, size_t nameUnits,
                      size_t dataBytes, RequestBytes &header);

// True when the reply has at least two bytes and byte 1 is type.
bool IsReplyOfType(const uint8_t *reply, size_t size, MessageType type);

// A name as it lies in a reply: count big-endian UTF-16 units.
struct ReplyName {
    const uint8_t *units = nullptr;
    size_t count = 0;
};

// Copies the name's units into out (room for name.count units), in the
// native byte order.
void CopyReplyName(const ReplyName &name, char16_t *out);

struct RingtoneEntry {
    uint16_t location = 0;
    ReplyName name;
};

// Reads the entries of a ListResp in reply order. The listing stops at the
// first entry that does not lie wholly inside the reply or whose length
// cannot hold its name.
class ListReplyReader {
public:
    // False, leaving no entries to read, when the reply is not a ListResp or
    // is too short to hold its entry count.
    bool Start(const uint8_t *reply, size_t size);
    // The next entry, inside the reply; false when the listing has ended.
    bool Next(RingtoneEntry &entry);

private:
    const uint8_t *reply_ = nullptr;
    size_t size_ = 0;
    size_t offset_ = 0;
    unsigned left_ = 0;
};

struct ReadReply {
    ReplyName name;
    // The ringtone's bytes, inside the parsed reply.
    const uint8_t *data = nullptr;
    size_t dataSize = 0;
};

// A ReadResp for location. False, leaving out as it was, when the reply is
// of another type, for another location, or states a name or data that run
// past its end.
bool ParseReadReply(const uint8_t *reply, size_t size, uint16_t location, ReadReply &out);
