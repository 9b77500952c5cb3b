#include "TextConversion.h"

#include <cstdlib>

namespace {

enum class ConversionRule { Unchosen, ThreadCodePage, LocaleCodePage };
ConversionRule rule = ConversionRule::Unchosen;

// Before Windows 2000 there is no CP_THREAD_ACP: the thread locale's own
// ANSI code page stands in for it.
UINT LocaleCodePage()
{
    char text[8];
    if (GetLocaleInfoA(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text) > 0) {
        UINT page = static_cast<UINT>(std::strtoul(text, nullptr, 10));
        if (page != 0)
            return page;
    }
    return GetACP();
}

} // namespace

UINT ConversionCodePage()
{
    if (rule == ConversionRule::Unchosen) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        bool nt5 = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                   version.dwMajorVersion >= 5;
        rule = nt5 ? ConversionRule::ThreadCodePage : ConversionRule::LocaleCodePage;
    }
    return rule == ConversionRule::ThreadCodePage ? CP_THREAD_ACP : LocaleCodePage();
}

std::string ToAnsi(const wchar_t *text, int units)
{
    if (!text || units == 0)
        return std::string();
    UINT page = ConversionCodePage();
    int bytes = WideCharToMultiByte(page, 0, text, units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(page, 0, text, units, &out[0], bytes, nullptr, nullptr);
    if (units < 0)
        out.pop_back(); // the terminator, counted when units is -1
    return out;
}

std::wstring ToWide(const char *text, int bytes)
{
    if (!text || bytes == 0)
        return std::wstring();
    UINT page = ConversionCodePage();
    int units = MultiByteToWideChar(page, 0, text, bytes, nullptr, 0);
    if (units <= 0)
        return std::wstring();
    std::wstring out(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(page, 0, text, bytes, &out[0], units);
    if (bytes < 0)
        out.pop_back();
    return out;
}
