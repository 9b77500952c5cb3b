// Reading the key lists of the install log ("_Install.log").
#pragma once

#include <windows.h>

// The working buffer in which the readers of the log hold one section's key
// list: names separated by NUL, ending with a second NUL. Keys beyond its
// 32768 bytes are not seen.
class LogKeyList {
public:
    static constexpr DWORD kBytes = 32768;

    LogKeyList();
    ~LogKeyList();
    LogKeyList(const LogKeyList &) = delete;
    LogKeyList &operator=(const LogKeyList &) = delete;

    // False when the buffer could not be obtained.
    bool Valid() const { return buffer_ != nullptr; }
    // Reads the keys of a section of the log; an absent section or log gives
    // an empty list.
    void Read(const char *logPath, const char *section);
    // The first and the last key, or null; the one after or before a key,
    // or null.
    const char *First() const;
    const char *Last() const;
    const char *Next(const char *key) const;
    const char *Previous(const char *key) const;

private:
    char *buffer_;
};
