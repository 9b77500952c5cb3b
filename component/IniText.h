// The sections and keys of an INI file held in memory, read the way the
// profile functions read them: names without regard to case, blanks around
// names and values dropped, the first of a repeated section or key counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class IniText {
public:
    explicit IniText(const std::vector<uint8_t> &bytes);

    std::string Text(const std::string &section, const std::string &key, const std::string &fallback) const;
    // The leading decimal number of the value, or fallback when it has none.
    long Number(const std::string &section, const std::string &key, long fallback) const;

private:
    const std::string *Find(const std::string &section, const std::string &key) const;

    std::map<std::string, std::map<std::string, std::string>> sections_;
};
