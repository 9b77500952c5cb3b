// Whole-file reads and writes of the component's data files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be read or holds more than maxBytes.
bool ReadFileContents(const std::string &path, size_t maxBytes, std::vector<uint8_t> &bytes);

// Writes a new file beside the old one and moves it over, so that readers
// see either the old contents or the new, never a part.
bool ReplaceFileContents(const std::string &path, const void *bytes, size_t size);
