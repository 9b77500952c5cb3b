// Where the stand-in servers record that they are registered: one value per
// registered file, named by its path, under HKCU.
#pragma once

#include <windows.h>

#define TEST_REGISTRATION_KEY "Software\\ChimeboxEngineTests\\Registered"

inline void RecordRegistration(const char *path, bool registered)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, TEST_REGISTRATION_KEY, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (registered)
        RegSetValueExA(key, path, 0, REG_SZ, reinterpret_cast<const BYTE *>("1"), 2);
    else
        RegDeleteValueA(key, path);
    RegCloseKey(key);
}
