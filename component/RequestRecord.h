// The record of the requests the virtual phones received, for tests and
// for people looking at what a program sent: "Requests.log" in the
// component's data folder, one line per request, the phone's OID, a blank
// and the request's bytes in upper-case hexadecimal. The record starts over
// once it passes kMaxRequestRecordBytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kMaxRequestRecordBytes = 8u << 20;

std::string RequestRecordPath();
void RecordRequest(const std::string &oid, const uint8_t *request, size_t size);
