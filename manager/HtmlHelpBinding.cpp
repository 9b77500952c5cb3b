#include "HtmlHelpBinding.h"

const char kHtmlHelpClassKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}";

namespace {

using HtmlHelpFunction = HWND(WINAPI *)(HWND, LPCSTR, UINT, DWORD_PTR);

constexpr WORD kHtmlHelpAOrdinal = 14;

enum class Binding { Unbound, Bound, Failed };
Binding binding = Binding::Unbound;
HtmlHelpFunction htmlHelp = nullptr;

// The library the control's class registers, or hhctrl.ocx found by name.
HMODULE LoadHtmlHelpLibrary()
{
    HKEY key;
    char serverKey[96];
    wsprintfA(serverKey, "%s\\InprocServer32", kHtmlHelpClassKey);
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, serverKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        char file[MAX_PATH];
        DWORD size = sizeof file - 1;
        DWORD type = 0;
        HMODULE library = nullptr;
        if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(file), &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            file[size] = '\0';
            library = LoadLibraryA(file);
        }
        RegCloseKey(key);
        if (library)
            return library;
    }
    return LoadLibraryA("hhctrl.ocx");
}

} // namespace

HWND BoundHtmlHelp(HWND owner, const char *file, UINT command, DWORD_PTR data)
{
    if (binding == Binding::Unbound) {
        HMODULE library = LoadHtmlHelpLibrary();
        FARPROC entry = library ? GetProcAddress(library, MAKEINTRESOURCEA(kHtmlHelpAOrdinal)) : nullptr;
        htmlHelp = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void (*)()>(entry));
        binding = htmlHelp ? Binding::Bound : Binding::Failed;
    }
    return htmlHelp ? htmlHelp(owner, file, command, data) : nullptr;
}
