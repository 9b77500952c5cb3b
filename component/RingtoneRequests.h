// The phone's side of the ringtone service: parses one request, carries it
// out on the phone's store and builds the reply. A request it cannot parse
// or carry out is answered by an error reply: 0x1F, kErrorResp, the
// request's type (0 when it has none) and a reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "RingtoneStore.h"

constexpr uint8_t kErrorResp = 0xF0;

enum ErrorReason : uint8_t {
    ReasonMalformed = 1,       // wrong length, service or fixed bytes
    ReasonUnknownLocation = 2, // nothing stored there
    ReasonStoreFull = 3,       // a new ringtone with every location taken
    ReasonPreset = 4,          // a preset cannot be replaced or erased
    ReasonUnknownRequest = 5,  // a message type the service does not know
    ReasonStoreFailure = 6,    // the store could not be written
};

struct RingtoneAnswer {
    std::vector<uint8_t> reply;
    bool storeChanged = false;
};

// The error reply to a request of that type.
RingtoneAnswer ErrorAnswer(uint8_t requestType, ErrorReason reason);

// Listing kinds: the main listing gives every stored ringtone; the location
// listing gives the places a ringtone may be written over, that is every
// stored ringtone that is not a preset (a new one goes to 0x7FFF).
RingtoneAnswer AnswerRingtoneRequest(RingtoneStore &store, const uint8_t *request, size_t size);
