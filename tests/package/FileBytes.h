// Whole files as byte strings, for building and taking apart test packages.
#pragma once

#include <string>

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
