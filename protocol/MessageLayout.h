// Byte layout of the ringtone service's messages: requests built into byte
// vectors, replies parsed from byte ranges. Includes no Windows header, so
// it also builds, is tested and is fuzzed on the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

struct RingtoneEntry {
    uint16_t location;
    std::u16string name;
};

std::vector<uint8_t> BuildListRequest(ListingKind kind);
std::vector<uint8_t> BuildReadRequest(uint16_t location);
std::vector<uint8_t> BuildEraseRequest(uint16_t location);

// The first 2n + 8 bytes of a write request (n = nameUnits): the caller
// appends the data and the two closing zero bytes. Returns false, building
// nothing, when the name or the data exceed the limits above.
bool BuildWriteHeader(uint16_t location, const char16_t *name, size_t nameUnits,
                      size_t dataBytes, std::vector<uint8_t> &header);

// True when the reply has at least two bytes and byte 1 is type.
bool IsReplyOfType(const uint8_t *reply, size_t size, MessageType type);

// The entries of a ListResp, in reply order, appended to entries. The
// listing stops at the first entry that does not lie wholly inside the reply
// or whose length cannot hold its name. False, appending nothing, when the
// reply is not a ListResp or is too short to hold its entry count.
bool ParseListReply(const uint8_t *reply, size_t size, std::vector<RingtoneEntry> &entries);

struct ReadReply {
    std::u16string name;
    // The ringtone's bytes, inside the parsed reply.
    const uint8_t *data = nullptr;
    size_t dataSize = 0;
};

// A ReadResp for location. False when the reply is of another type, for
// another location, or states a name or data that run past its end.
bool ParseReadReply(const uint8_t *reply, size_t size, uint16_t location, ReadReply &out);
