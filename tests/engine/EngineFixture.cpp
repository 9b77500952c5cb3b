#include "EngineFixture.h"

#include "TestRegistration.h"

#include <shlobj.h>

#include <fstream>

namespace {

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kSharedDlls[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char *const kApplications[] = {"Chimebox", "TWSetup"};

void SetMachineString(const char *key, const char *name, const char *value)
{
    HKEY handle;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value), lstrlenA(value) + 1);
        RegCloseKey(handle);
    }
}

void DeleteMachineValue(const char *key, const char *name)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_WRITE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, name);
        RegCloseKey(handle);
    }
}

bool StartsWith(const std::string &text, const std::string &start)
{
    return text.size() >= start.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.c_str(),
                                                         static_cast<int>(start.size()), start.c_str(),
                                                         static_cast<int>(start.size())) == CSTR_EQUAL;
}

// Shared counts the tests took: every value under the test folders.
void DropTestSharedCounts()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::string> names;
    char name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    for (const std::string &n : names)
        if (StartsWith(n, ProgramFiles()))
            RegDeleteValueA(key, n.c_str());
    RegCloseKey(key);
}

} // namespace

ProgressRecorder::ProgressRecorder()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "EngineProgressRecorder";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "recorder", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ProgressRecorder::~ProgressRecorder()
{
    DestroyWindow(window_);
}

LRESULT CALLBACK ProgressRecorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = reinterpret_cast<ProgressRecorder *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == kMessage) {
        self->messages_.emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const std::vector<std::pair<WPARAM, LPARAM>> &ProgressRecorder::Messages()
{
    MSG message;
    while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    return messages_;
}

int ProgressRecorder::Count(WPARAM what)
{
    int count = 0;
    for (const auto &m : Messages())
        if (m.first == what)
            ++count;
    return count;
}

std::string ProgramFiles()
{
    return "C:\\Program Files\\";
}

std::string CommonFiles()
{
    return "C:\\Program Files\\Common Files\\";
}

std::string ProgramsMenu()
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, path);
    return std::string(path) + "\\";
}

std::string AppFolder()
{
    return ProgramFiles() + "Chimebox";
}

std::string SharedFolder()
{
    return CommonFiles() + "Tonewright";
}

std::string MenuFolder()
{
    return ProgramsMenu() + "Chimebox";
}

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Chimebox";
const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteText(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void CopyInto(const std::string &from, const std::string &to)
{
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::vector<std::string> LogKeys(const std::string &log, const char *section)
{
    std::vector<char> buffer(32768);
    DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()),
                                            log.c_str());
    return NulSeparated(buffer.data(), length);
}

std::vector<std::string> NulSeparated(const char *list, DWORD length)
{
    std::vector<std::string> names;
    for (DWORD at = 0; at < length && list[at];) {
        names.emplace_back(list + at);
        at += static_cast<DWORD>(names.back().size()) + 1;
    }
    return names;
}

int LogValue(const std::string &log, const char *section, const std::string &key)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key.c_str(), -1, log.c_str()));
}

long SharedCount(const std::string &path)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSharedDlls, path.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return -1;
    return static_cast<long>(value);
}

void SetSharedCount(const std::string &path, DWORD count)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, path.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&count), sizeof count);
    RegCloseKey(key);
}

bool IsRegistered(const std::string &path)
{
    return RegGetValueA(HKEY_CURRENT_USER, TEST_REGISTRATION_KEY, path.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

std::string MachineString(const char *key, const char *name)
{
    char value[1024];
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

std::string BuiltFile(const char *name)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder(self);
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

void EngineTest::SetUp()
{
    // Wine's shell mirrors every Start-menu link into the host's desktop
    // menus (and the registry) through winemenubuilder; the tests keep the
    // host untouched and the registry comparable.
    HKEY overrides;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", 0, nullptr, 0, KEY_WRITE, nullptr,
                        &overrides, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(overrides, "winemenubuilder.exe", 0, REG_SZ, reinterpret_cast<const BYTE *>(""), 1);
        RegCloseKey(overrides);
    }
    for (const char *application : kApplications) {
        RemoveTree(ProgramFiles() + application);
        RemoveTree(ProgramsMenu() + application);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE,
                      (std::string(kCurrentVersion) + "\\Uninstall\\" + application).c_str());
        DeleteMachineValue((std::string(kCurrentVersion) + "\\RunOnce").c_str(), application);
    }
    RemoveTree(CommonFiles() + "Tonewright");
    DeleteMachineValue("SYSTEM\\CurrentControlSet\\Control\\Session Manager", "PendingFileRenameOperations");
    // Every Windows has the shared-file counts; a bare Wine prefix lacks them.
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
    DropTestSharedCounts();
    SetMachineString(kCurrentVersion, "ProgramFilesDir", "C:\\Program Files");
    SetMachineString(kCurrentVersion, "CommonFilesDir", "C:\\Program Files\\Common Files");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ChimeboxEngineTests");

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    source = std::string(temp) + "ChimeboxEngineSource\\";
    RemoveTree(source.substr(0, source.size() - 1));
    ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr));
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    engine.ownerWindow = recorder.Window();
}

void EngineTest::TearDown()
{
    engine.DetachProgressWindow();
    CoUninitialize();
}

void EngineTest::MakeSource(const std::string &script,
                            const std::vector<std::pair<std::string, std::string>> &files)
{
    WriteText(source + "Setup.inf", script);
    for (const auto &file : files) {
        if (file.second.empty())
            WriteText(source + file.first, "stand-in for " + file.first + "\r\n");
        else
            CopyInto(BuiltFile(file.second.c_str()), source + file.first);
    }
}

void EngineTest::MakeShippedSource(bool realComponent)
{
    CopyInto(SHIPPED_SCRIPT, source + "Setup.inf");
    CopyInto(SHIPPED_LICENSE, source + "License.txt");
    CopyInto(BuiltFile(realComponent ? "TWMPC.exe" : "engine_server_ok.exe"), source + "TWMPC.exe");
    CopyInto(BuiltFile(realComponent ? "TWMPCUI.dll" : "engine_library.dll"), source + "TWMPCUI.dll");
    WriteText(source + "TWChimebox.exe", "stand-in for the manager\r\n");
    WriteText(source + "Chimebox.chm", "stand-in for the help file\r\n");
}

void EngineTest::OpenEngine()
{
    ASSERT_EQ(engine.Open((source + "Setup.inf").c_str(), source.c_str()), S_OK);
    engine.ownerWindow = recorder.Window();
    engine.AttachProgressWindow(recorder.Window(), ProgressRecorder::kMessage);
}
