// Files and folders for the wizard's tests: a fresh folder under the
// temporary folder that goes with everything in it, and small file helpers.
#pragma once

#include <windows.h>

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // Ends in a backslash.
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + name; }

private:
    std::string path_;
};

// The process's current folder, for as long as the object lives.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const std::string &folder)
    {
        GetCurrentDirectoryA(MAX_PATH, old_);
        SetCurrentDirectoryA(folder.c_str());
    }
    ~ScopedCurrentFolder() { SetCurrentDirectoryA(old_); }

private:
    char old_[MAX_PATH];
};

void WriteTextFile(const std::string &path, const std::string &text);
std::string ReadTextFile(const std::string &path);
bool PathExists(const std::string &path);
std::string ProgramFolder();
std::string ControlText(HWND dialog, int control);
