#include "RegistryTree.h"

#include <cstdio>

LONG SetRegistryText(HKEY root, const std::string &key, const char *name, const std::string &value)
{
    HKEY opened = nullptr;
    LONG result = RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
    RegCloseKey(opened);
    return result;
}

LONG DeleteRegistryTree(HKEY root, const std::string &key)
{
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | KEY_WRITE, &opened);
    if (result == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (result != ERROR_SUCCESS)
        return result;
    // Always the first subkey: the list shrinks as they go.
    char child[256];
    DWORD length = sizeof child;
    while (result == ERROR_SUCCESS &&
           RegEnumKeyExA(opened, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        result = DeleteRegistryTree(opened, child);
        length = sizeof child;
    }
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegDeleteKeyA(root, key.c_str());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

std::string GuidText(REFGUID g)
{
    char text[40];
    snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned long>(g.Data1),
             g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
             g.Data4[7]);
    return text;
}
