// Properties every reply parse must keep, whatever the reply holds: shared by
// the seeded robustness test and the fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Parses an exact-size copy of the reply as a ListResp and as a ReadResp
// (so that the address checker sees any read past it) and returns what was
// broken, or an empty string.
std::string CheckReplyParsers(const uint8_t *reply, size_t size);
