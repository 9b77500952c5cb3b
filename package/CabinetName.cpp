#include "CabinetName.h"

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

}  // namespace

bool IsSafeCabinetName(const char* name)
{
    if (name[0] == '\0' || IsSeparator(name[0]))
        return false;
    const char* component = name;
    for (const char* scan = name;; ++scan) {
        if (*scan == ':')
            return false;
        if (*scan == '\0' || IsSeparator(*scan)) {
            if (scan - component == 2 && component[0] == '.' && component[1] == '.')
                return false;
            if (*scan == '\0')
                return true;
            component = scan + 1;
        }
    }
}
