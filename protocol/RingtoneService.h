// The ringtone service's four operations, each one transaction on the
// connected phone's message stream.
#pragma once

#include <windows.h>

#include <cstdint>

#include "HeapArray.h"
#include "MessageBuffer.h"
#include "MessageLayout.h"
#include "TWMPC.h"

// Names travel as UTF-16: wide strings here are the same units.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 units");

struct Ringtone {
    uint16_t location = 0;
    HeapArray<wchar_t> name;
};

// The entries of one listing, read from the reply that holds them.
class RingtoneListing {
public:
    // The next entry in reply order; false after the last. A name for which
    // there is no memory is left empty.
    bool Next(Ringtone &entry);

private:
    friend int ListRingtones(ITWMsgStream *, HWND, ListingKind, RingtoneListing &);
    MessageBuffer reply_;
    ListReplyReader reader_;
};

// The number of ringtones listed, their entries left in listing, or a
// negative value (listing then empty).
int ListRingtones(ITWMsgStream *stream, HWND owner, ListingKind kind, RingtoneListing &listing);

// name is passed in empty and data absent; both receive the ringtone only
// when the reply is accepted (data then holds D bytes, an empty array for D = 0).
HRESULT ReadRingtone(ITWMsgStream *stream, HWND owner, uint16_t location, HeapArray<wchar_t> &name,
                     MessageBuffer &data);

// name may be null. Refuses with E_INVALIDARG, building and sending nothing,
// a name above kMaxRingtoneNameUnits units, data above kMaxRingtoneDataBytes
// bytes, or data whose buffer failed to grow (an incomplete file).
HRESULT WriteRingtone(ITWMsgStream *stream, HWND owner, uint16_t location, const wchar_t *name,
                      const MessageBuffer &data);

HRESULT EraseRingtone(ITWMsgStream *stream, uint16_t location);
