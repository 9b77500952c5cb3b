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

struct Ringtone {
    uint16_t location;
    std::wstring name;
};

// The number of ringtones listed (entries in reply order), or a negative value.
int ListRingtones(ITWMsgStream *stream, HWND owner, ListingKind kind, std::vector<Ringtone> &entries);

// name is passed in empty and data absent; both receive the ringtone only
// when the reply is accepted.
HRESULT ReadRingtone(ITWMsgStream *stream, HWND owner, uint16_t location, std::wstring &name,
                     MessageBuffer &data);

// name may be null. Refuses (a negative result, nothing sent) a name above
// kMaxRingtoneNameUnits units or data above kMaxRingtoneDataBytes bytes.
HRESULT WriteRingtone(ITWMsgStream *stream, HWND owner, uint16_t location, const wchar_t *name,
                      const MessageBuffer &data);

HRESULT EraseRingtone(ITWMsgStream *stream, uint16_t location);
