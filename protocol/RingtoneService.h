// The ringtone service's four operations, each one transaction on the
// connected phone's message stream.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "MessageBuffer.h"
#include "MessageLayout.h"
#include "TWMPC.h"

// Names travel as UTF-16: wide strings here are the same units.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 units");

struct Ringtone {
    uint16_t location;
    std::wstring name;
};

// The number of ringtones listed, their entries appended in reply order, or
// a negative value (nothing appended).
int ListRingtones(ITWMsgStream *stream, HWND owner, ListingKind kind, std::vector<Ringtone> &entries);

// name is passed in empty and data absent; both receive the ringtone only
// when the reply is accepted (data then holds D bytes, an empty array for D = 0).
HRESULT ReadRingtone(ITWMsgStream *stream, HWND owner, uint16_t location, std::wstring &name,
                     MessageBuffer &data);

// name may be null. Refuses with E_INVALIDARG, building and sending nothing,
// a name above kMaxRingtoneNameUnits units, data above kMaxRingtoneDataBytes
// bytes, or data whose buffer failed to grow (an incomplete file).
HRESULT WriteRingtone(ITWMsgStream *stream, HWND owner, uint16_t location, const wchar_t *name,
                      const MessageBuffer &data);

HRESULT EraseRingtone(ITWMsgStream *stream, uint16_t location);
