#include "IniText.h"

#include <cstdlib>

namespace {

std::string Trim(const std::string &s)
{
    size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string Lower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

IniText::IniText(const std::vector<uint8_t> &bytes)
{
    std::string text(bytes.begin(), bytes.end());
    std::map<std::string, std::string> *current = nullptr;
    std::string currentName;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name = Lower(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            // A repeated section adds nothing: the first one counts.
            current = sections_.count(name) ? nullptr : &sections_[name];
            continue;
        }
        size_t equals = line.find('=');
        if (!current || equals == std::string::npos)
            continue;
        std::string key = Lower(Trim(line.substr(0, equals)));
        if (!current->count(key))
            (*current)[key] = Trim(line.substr(equals + 1));
    }
}

const std::string *IniText::Find(const std::string &section, const std::string &key) const
{
    auto s = sections_.find(Lower(section));
    if (s == sections_.end())
        return nullptr;
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? nullptr : &k->second;
}

std::string IniText::Text(const std::string &section, const std::string &key, const std::string &fallback) const
{
    const std::string *value = Find(section, key);
    return value ? *value : fallback;
}

long IniText::Number(const std::string &section, const std::string &key, long fallback) const
{
    const std::string *value = Find(section, key);
    if (!value || value->empty())
        return fallback;
    char *end = nullptr;
    long number = strtol(value->c_str(), &end, 10);
    return end == value->c_str() ? fallback : number;
}
