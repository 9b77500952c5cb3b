// Faults that change the bytes of a reply; the faults that change its
// timing (drop, delay) belong to the message stream.
#pragma once

#include <cstdint>
#include <vector>

#include "Settings.h"

// WrongType: byte 1 names another reply type (a listing is answered as a
// read, everything else as a listing). Truncated: only the first half is
// kept (at least two bytes). OtherLocation: a reply that carries a location
// in bytes 2-3 names the next location instead.
void ApplyReplyFault(ReplyFault fault, std::vector<uint8_t> &reply);
