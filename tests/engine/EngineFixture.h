// What the engine tests share: a clean system state before each case, a
// source folder with a script and its payload, a hidden window that
// collects the messages the engine sends and posts, and readers of the log
// and of the registry.
#pragma once

#include "DialogCatcher.h"
#include "InstallEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// A hidden window that records every message of the engine's message number.
class ProgressRecorder {
public:
    static constexpr UINT kMessage = WM_USER;

    ProgressRecorder();
    ~ProgressRecorder();
    ProgressRecorder(const ProgressRecorder &) = delete;
    ProgressRecorder &operator=(const ProgressRecorder &) = delete;

    HWND Window() const { return window_; }
    // Dispatches what has been posted, then returns all (wParam, lParam)
    // pairs in the order they arrived.
    const std::vector<std::pair<WPARAM, LPARAM>> &Messages();
    int Count(WPARAM what);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
    std::vector<std::pair<WPARAM, LPARAM>> messages_;
};

// The system's folders as the prefix has them, each ending in a backslash.
std::string ProgramFiles();
std::string CommonFiles();
std::string ProgramsMenu();

// The shipped script's three folders, without a final backslash.
std::string AppFolder();
std::string SharedFolder();
std::string MenuFolder();

extern const char kUninstallKey[];
extern const char kRunOnceKey[];

bool Exists(const std::string &path);
void WriteText(const std::string &path, const std::string &text);
void CopyInto(const std::string &from, const std::string &to);
void RemoveTree(const std::string &path);

// The names of a NUL-separated list as the profile functions return it.
std::vector<std::string> NulSeparated(const char *list, DWORD length);
// The keys of a log section in file order, and one value.
std::vector<std::string> LogKeys(const std::string &log, const char *section);
int LogValue(const std::string &log, const char *section, const std::string &key);

// A DWORD value under HKLM, or -1 when it is missing.
long SharedCount(const std::string &path);
void SetSharedCount(const std::string &path, DWORD count);
bool IsRegistered(const std::string &path);
// A REG_SZ value under HKLM, or "<missing>".
std::string MachineString(const char *key, const char *name);

// Test-server files built beside the test program.
std::string BuiltFile(const char *name);

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh source folder holding the script and the named files, each
    // copied from the given built file (empty: a small text file).
    void MakeSource(const std::string &script, const std::vector<std::pair<std::string, std::string>> &files);
    // The shipped script and a payload for its files: stand-ins for all, or
    // the real component files in place of the stand-in servers.
    void MakeShippedSource(bool realComponent = false);
    // Opens the engine on the source folder and attaches the recorder.
    void OpenEngine();

    std::string source;
    ProgressRecorder recorder;
    DialogCatcher catcher;
    InstallEngine engine;
};
