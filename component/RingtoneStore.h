// A virtual phone's ringtones: at most kStoreCapacity of them, in locations
// 1 to kStoreCapacity. Preset (factory) ringtones can be read but neither
// replaced nor erased. Kept in "<OID>.tones" in the component's data folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kStoreCapacity = 16;

struct StoredRingtone {
    uint16_t location = 0;
    bool preset = false;
    std::wstring name;          // at most 255 units
    std::vector<uint8_t> data;  // at most 65535 bytes
};

class RingtoneStore {
public:
    // In location order.
    const std::vector<StoredRingtone> &Ringtones() const { return ringtones_; }
    const StoredRingtone *Find(uint16_t location) const;

    // The lowest free location, or 0 when the store is full.
    uint16_t FreeLocation() const;
    // Adds or replaces the ringtone at its location; false for a location
    // outside 1..kStoreCapacity.
    bool Put(const StoredRingtone &ringtone);
    bool Erase(uint16_t location);

    // The store file of a phone; a missing file gives the sample ringtones.
    // A damaged file gives an empty store.
    static RingtoneStore Load(const std::string &oid);
    bool Save(const std::string &oid) const;

    // Its own file format, exposed for the tests of damaged files.
    std::vector<uint8_t> Serialize() const;
    static bool Parse(const uint8_t *bytes, size_t size, RingtoneStore &store);

private:
    std::vector<StoredRingtone> ringtones_;
};
