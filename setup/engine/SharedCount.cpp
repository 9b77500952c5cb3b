// The system's shared-file counts, one REG_DWORD per shared file.
#include "InstallEngine.h"

int InstallEngine::UpdateSharedCount(const char *path, bool add)
{
    HKEY key;
    // The key belongs to the system: opened, never created.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", 0,
                      KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return -1;
    DWORD count = 0;
    DWORD type = 0;
    DWORD size = sizeof count;
    if (RegQueryValueExA(key, path, nullptr, &type, reinterpret_cast<BYTE *>(&count), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof count)
        count = 0;

    auto write = [key, path](DWORD value) {
        return RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value) ==
                       ERROR_SUCCESS
                   ? static_cast<int>(value)
                   : -1;
    };
    int result = 0;
    if (add)
        result = write(count + 1);
    else if (count == 1)
        RegDeleteValueA(key, path);
    else if (count > 1)
        result = write(count - 1);
    RegCloseKey(key);
    return result;
}
