#include "CommandLine.h"

#include <cctype>

namespace {

bool EndsWord(char c) { return c == '\0' || c == ' ' || c == '\t'; }

bool MatchesKeyword(const char *candidate, const char *keyword)
{
    for (; *keyword; ++candidate, ++keyword) {
        if (std::tolower(static_cast<unsigned char>(*candidate)) !=
            std::tolower(static_cast<unsigned char>(*keyword)))
            return false;
    }
    return EndsWord(*candidate);
}

} // namespace

bool HasRegistrationSwitch(const char *commandLine)
{
    if (!commandLine)
        return false;
    for (const char *p = commandLine; *p; ++p) {
        if (*p != '-' && *p != '/')
            continue;
        if (MatchesKeyword(p + 1, "UnregServer") || MatchesKeyword(p + 1, "RegServer"))
            return true;
    }
    return false;
}
