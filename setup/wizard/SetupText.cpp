#include "SetupText.h"

namespace {

UINT ThreadAnsiCodePage()
{
    char digits[8];
    UINT codePage = 0;
    if (GetLocaleInfoA(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE, digits, sizeof digits) > 0) {
        for (const char *p = digits; *p >= '0' && *p <= '9'; ++p)
            codePage = codePage * 10 + static_cast<UINT>(*p - '0');
    }
    return codePage ? codePage : GetACP();
}

} // namespace

bool LoadSetupText(UINT id, char *buffer, int size)
{
    buffer[0] = '\0';
    HMODULE module = GetModuleHandleA(nullptr);
    // Texts are kept in blocks of 16, each a counted UTF-16 string.
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6));
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const WCHAR *block = loaded ? static_cast<const WCHAR *>(LockResource(loaded)) : nullptr;
    if (!block)
        return false;
    const WCHAR *end = block + SizeofResource(module, found) / sizeof(WCHAR);
    const WCHAR *entry = block;
    for (UINT index = id % 16; index > 0; --index) {
        if (entry >= end)
            return false;
        entry += 1 + *entry;
    }
    if (entry >= end || *entry == 0 || *entry > end - entry - 1)
        return false;
    int converted = WideCharToMultiByte(ThreadAnsiCodePage(), 0, entry + 1, *entry, buffer, size - 1, nullptr, nullptr);
    buffer[converted > 0 ? converted : 0] = '\0';
    return converted > 0;
}

void SetSetupText(HWND dialog, int control, UINT id, const char *insert)
{
    char format[SETUP_TEXT_SIZE];
    char text[SETUP_TEXT_SIZE];
    LoadSetupText(id, format, sizeof format);
    wsprintfA(text, format, insert);
    SetDlgItemTextA(dialog, control, text);
}
