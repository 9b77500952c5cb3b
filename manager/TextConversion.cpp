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

HeapArray<char> ToAnsi(const wchar_t *text, int units)
{
    HeapArray<char> out;
    if (!text || units == 0)
        return out;
    UINT page = ConversionCodePage();
    int bytes = WideCharToMultiByte(page, 0, text, units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0 || !out.Allocate(static_cast<size_t>(bytes)))
        return out;
    WideCharToMultiByte(page, 0, text, units, out.Data(), bytes, nullptr, nullptr);
    if (units < 0)
        out.Truncate(out.Size() - 1); // the terminator, counted when units is -1
    return out;
}

HeapArray<wchar_t> ToWide(const char *text, int bytes)
{
    HeapArray<wchar_t> out;
    if (!text || bytes == 0)
        return out;
    UINT page = ConversionCodePage();
    int units = MultiByteToWideChar(page, 0, text, bytes, nullptr, 0);
    if (units <= 0 || !out.Allocate(static_cast<size_t>(units)))
        return out;
    MultiByteToWideChar(page, 0, text, bytes, out.Data(), units);
    if (bytes < 0)
        out.Truncate(out.Size() - 1);
    return out;
}
