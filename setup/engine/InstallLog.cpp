#include "InstallLog.h"

#include "InstallEngine.h"

#include <strsafe.h>

void InstallEngine::LogNumber(const char *section, const char *key, int number) const
{
    char text[16];
    StringCchPrintfA(text, sizeof text, "%i", number);
    WritePrivateProfileStringA(section, key, text, logPath);
}

int InstallEngine::LogFlags(const char *section, const char *key) const
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, 0, logPath));
}

void InstallEngine::ReadLoggedApplicationName()
{
    char current[ENGINE_NAME_SIZE];
    lstrcpynA(current, applicationName, sizeof current);
    GetPrivateProfileStringA("Setup", "AppName", current, applicationName, sizeof applicationName, logPath);
}

LogKeyList::LogKeyList() : buffer_(static_cast<char *>(GlobalAlloc(GMEM_FIXED, kBytes)))
{
    if (buffer_)
        buffer_[0] = buffer_[1] = '\0';
}

LogKeyList::~LogKeyList()
{
    if (buffer_)
        GlobalFree(buffer_);
}

void LogKeyList::Read(const char *logPath, const char *section)
{
    DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer_, kBytes, logPath);
    // A list cut at the end of the buffer still ends in two NULs.
    if (length > kBytes - 2)
        length = kBytes - 2;
    buffer_[length] = buffer_[length + 1] = '\0';
}

const char *LogKeyList::First() const
{
    return buffer_[0] ? buffer_ : nullptr;
}

const char *LogKeyList::Next(const char *key) const
{
    const char *next = key + lstrlenA(key) + 1;
    return *next ? next : nullptr;
}

const char *LogKeyList::Last() const
{
    const char *last = nullptr;
    for (const char *key = First(); key; key = Next(key))
        last = key;
    return last;
}

const char *LogKeyList::Previous(const char *key) const
{
    if (key == buffer_)
        return nullptr;
    // key - 1 is the NUL that ends the previous name.
    const char *start = key - 1;
    while (start > buffer_ && start[-1] != '\0')
        --start;
    return start;
}
