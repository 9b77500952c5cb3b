#include "RingtoneStore.h"

#include <windows.h>

#include <algorithm>

#include "DataFolder.h"
#include "FileContents.h"
#include "SampleRingtones.h"

namespace {

const char kMagic[4] = {'T', 'W', 'R', 'S'};
constexpr uint16_t kFormatVersion = 1;
constexpr size_t kMaxNameUnits = 255;
constexpr size_t kMaxDataBytes = 65535;
constexpr size_t kMaxFileBytes = 4 + 4 + kStoreCapacity * (10 + 2 * kMaxNameUnits + kMaxDataBytes);

void PutU16(std::vector<uint8_t> &out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t> &out, uint32_t v)
{
    PutU16(out, static_cast<uint16_t>(v));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}

// Reads little-endian fields without ever passing the end.
class Reader {
public:
    Reader(const uint8_t *bytes, size_t size) : p_(bytes), left_(size) {}
    bool Take(size_t count, const uint8_t *&out)
    {
        if (count > left_)
            return false;
        out = p_;
        p_ += count;
        left_ -= count;
        return true;
    }
    bool U8(uint8_t &v)
    {
        const uint8_t *b;
        if (!Take(1, b))
            return false;
        v = b[0];
        return true;
    }
    bool U16(uint16_t &v)
    {
        const uint8_t *b;
        if (!Take(2, b))
            return false;
        v = static_cast<uint16_t>(b[0] | b[1] << 8);
        return true;
    }
    bool U32(uint32_t &v)
    {
        uint16_t low, high;
        if (!U16(low) || !U16(high))
            return false;
        v = low | static_cast<uint32_t>(high) << 16;
        return true;
    }
    bool AtEnd() const { return left_ == 0; }

private:
    const uint8_t *p_;
    size_t left_;
};

std::string StorePath(const std::string &oid)
{
    return ComponentDataFile((oid + ".tones").c_str());
}

} // namespace

const StoredRingtone *RingtoneStore::Find(uint16_t location) const
{
    for (const StoredRingtone &r : ringtones_)
        if (r.location == location)
            return &r;
    return nullptr;
}

uint16_t RingtoneStore::FreeLocation() const
{
    for (uint16_t location = 1; location <= kStoreCapacity; ++location)
        if (!Find(location))
            return location;
    return 0;
}

bool RingtoneStore::Put(const StoredRingtone &ringtone)
{
    if (ringtone.location < 1 || ringtone.location > kStoreCapacity)
        return false;
    Erase(ringtone.location);
    auto at = std::find_if(ringtones_.begin(), ringtones_.end(),
                           [&](const StoredRingtone &r) { return r.location > ringtone.location; });
    ringtones_.insert(at, ringtone);
    return true;
}

bool RingtoneStore::Erase(uint16_t location)
{
    auto at = std::find_if(ringtones_.begin(), ringtones_.end(),
                           [&](const StoredRingtone &r) { return r.location == location; });
    if (at == ringtones_.end())
        return false;
    ringtones_.erase(at);
    return true;
}

std::vector<uint8_t> RingtoneStore::Serialize() const
{
    std::vector<uint8_t> out(kMagic, kMagic + 4);
    PutU16(out, kFormatVersion);
    PutU16(out, static_cast<uint16_t>(ringtones_.size()));
    for (const StoredRingtone &r : ringtones_) {
        PutU16(out, r.location);
        out.push_back(r.preset ? 1 : 0);
        out.push_back(0);
        PutU16(out, static_cast<uint16_t>(r.name.size()));
        PutU32(out, static_cast<uint32_t>(r.data.size()));
        for (wchar_t unit : r.name)
            PutU16(out, static_cast<uint16_t>(unit));
        out.insert(out.end(), r.data.begin(), r.data.end());
    }
    return out;
}

bool RingtoneStore::Parse(const uint8_t *bytes, size_t size, RingtoneStore &store)
{
    Reader in(bytes, size);
    const uint8_t *magic;
    uint16_t version, count;
    if (!in.Take(4, magic) || !std::equal(magic, magic + 4, kMagic) || !in.U16(version) || version != kFormatVersion ||
        !in.U16(count) || count > kStoreCapacity)
        return false;
    RingtoneStore parsed;
    for (uint16_t i = 0; i < count; ++i) {
        StoredRingtone r;
        uint8_t preset, reserved;
        uint16_t units;
        uint32_t dataBytes;
        const uint8_t *name, *data;
        if (!in.U16(r.location) || !in.U8(preset) || !in.U8(reserved) || !in.U16(units) || !in.U32(dataBytes) ||
            units > kMaxNameUnits || dataBytes > kMaxDataBytes || parsed.Find(r.location) ||
            !in.Take(2u * units, name) || !in.Take(dataBytes, data))
            return false;
        r.preset = preset != 0;
        for (uint16_t u = 0; u < units; ++u)
            r.name.push_back(static_cast<wchar_t>(name[2 * u] | name[2 * u + 1] << 8));
        r.data.assign(data, data + dataBytes);
        if (!parsed.Put(r))
            return false;
    }
    if (!in.AtEnd())
        return false;
    store = parsed;
    return true;
}

RingtoneStore RingtoneStore::Load(const std::string &oid)
{
    RingtoneStore store;
    std::string path = StorePath(oid);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        for (const StoredRingtone &r : SampleRingtones())
            store.Put(r);
        return store;
    }
    std::vector<uint8_t> bytes;
    if (ReadFileContents(path, kMaxFileBytes, bytes))
        Parse(bytes.data(), bytes.size(), store);
    return store;
}

bool RingtoneStore::Save(const std::string &oid) const
{
    std::string path = StorePath(oid);
    if (path.empty())
        return false;
    std::vector<uint8_t> bytes = Serialize();
    return ReplaceFileContents(path, bytes.data(), bytes.size());
}
