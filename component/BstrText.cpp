#include "BstrText.h"

BSTR AnsiToBstr(const std::string &text)
{
    int units = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(units));
    if (b)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), b, units);
    return b;
}

std::string BstrToAnsi(BSTR text)
{
    int units = static_cast<int>(SysStringLen(text));
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, units, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, units, &out[0], bytes, nullptr, nullptr);
    return out;
}
