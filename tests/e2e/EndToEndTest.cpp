// The shipped package installed, used and removed again in a fresh prefix,
// driven only through the windows a person sees.
#include "DialogActions.h"
#include "WindowDriver.h"
#include "WizardTestFiles.h"
#include "WizardWalk.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

const std::string kApplication = "C:\\Program Files\\Chimebox\\";
const std::string kShared = "C:\\Program Files\\Common Files\\Tonewright\\";
const std::string kMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Chimebox\\";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Chimebox";
const char kSharedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char kDeviceManagerKey[] = "CLSID\\{F38CF92D-30A6-4542-A747-CFC5E5AC74A3}\\LocalServer32";
const char kPropertyPageKey[] = "CLSID\\{392610C2-50BF-441E-930F-6E3B896962EF}\\InprocServer32";

bool KeyExists(HKEY root, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(root, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string StringValue(HKEY root, const char *keyName, const char *value)
{
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    HKEY key;
    if (RegOpenKeyExA(root, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE *>(text), &size);
    RegCloseKey(key);
    return text;
}

// -1 when the value is absent.
long SharedCount(const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    DWORD count = 0;
    DWORD size = sizeof count;
    LONG read = RegQueryValueExA(key, path.c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&count), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? static_cast<long>(count) : -1;
}

int LogFlags(const std::string &path)
{
    return static_cast<int>(GetPrivateProfileIntA("Installed", path.c_str(), -1, (kApplication + "_Install.log").c_str()));
}

struct Link {
    bool loaded = false;
    std::string target;
    int iconIndex = 0;
};

Link ReadLink(const std::string &path)
{
    Link link;
    IShellLinkA *shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&shell))))
        return link;
    IPersistFile *file = nullptr;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
        std::wstring wide(path.begin(), path.end());
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            char text[MAX_PATH] = {};
            shell->GetPath(text, MAX_PATH, nullptr, 0);
            link.target = text;
            char icon[MAX_PATH] = {};
            shell->GetIconLocation(icon, MAX_PATH, &link.iconIndex);
            link.loaded = true;
        }
        file->Release();
    }
    shell->Release();
    return link;
}

// What a program writes to its standard output.
std::string OutputOf(const std::string &commandLine)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    std::string output;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(write);
        write = nullptr;
        char buffer[512];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (write)
        CloseHandle(write);
    CloseHandle(read);
    return output;
}

bool TemporaryCopyExists()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((std::string(folder) + "TWU*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

class EndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        // Every Windows has the shared-file counts' key; a fresh prefix has not.
        HKEY key;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegCloseKey(key);
        CreateDirectoryA(SCREENS_FOLDER, nullptr);
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(EndToEnd, InstallUseAndUninstallThePackage)
{
    ASSERT_TRUE(PathExists(PACKAGE_PATH)) << PACKAGE_PATH;
    WalkResult walk = WalkInstallWizard(std::string("\"") + PACKAGE_PATH + "\"", "Chimebox Setup", SCREENS_FOLDER);
    ASSERT_TRUE(walk.walked) << walk.failure;
    EXPECT_EQ(walk.completionText.compare(0, 49, "You have successfully completed the installation."), 0)
        << walk.completionText;
    EXPECT_EQ(walk.exitCode, 0);

    // Files, log and shared counts.
    for (const char *name : {"TWChimebox.exe", "Chimebox.chm", "License.txt", "_Unins.exe", "_Install.log"})
        EXPECT_TRUE(PathExists(kApplication + name)) << name;
    for (const char *name : {"TWMPC.exe", "TWMPCUI.dll"}) {
        EXPECT_TRUE(PathExists(kShared + name)) << name;
        EXPECT_EQ(LogFlags(kShared + name), 3) << name;
        EXPECT_EQ(SharedCount(kShared + name), 1) << name;
    }
    EXPECT_EQ(LogFlags(kApplication + "TWChimebox.exe"), 0);
    EXPECT_EQ(LogFlags(kApplication + "_Unins.exe"), 0);
    char appName[64] = {};
    GetPrivateProfileStringA("Setup", "AppName", "", appName, sizeof appName, (kApplication + "_Install.log").c_str());
    EXPECT_STREQ(appName, "Chimebox");

    // The registered component and the uninstall entry, also as Wine's own
    // uninstaller lists it.
    EXPECT_NE(StringValue(HKEY_CLASSES_ROOT, kDeviceManagerKey, nullptr).find("TWMPC.exe"), std::string::npos);
    EXPECT_NE(StringValue(HKEY_CLASSES_ROOT, kPropertyPageKey, nullptr).find("TWMPCUI.dll"), std::string::npos);
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Chimebox");
    std::string uninstall = StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
    EXPECT_NE(uninstall.find(kApplication + "_Unins.exe"), std::string::npos) << uninstall;
    EXPECT_NE(OutputOf("uninstaller.exe --list").find("|||Chimebox"), std::string::npos);

    // The three shortcuts.
    Link program = ReadLink(kMenu + "Chimebox.lnk");
    Link help = ReadLink(kMenu + "Help.lnk");
    Link remove = ReadLink(kMenu + "Uninstall Chimebox.lnk");
    ASSERT_TRUE(program.loaded && help.loaded && remove.loaded);
    EXPECT_EQ(lstrcmpiA(program.target.c_str(), (kApplication + "TWChimebox.exe").c_str()), 0) << program.target;
    EXPECT_EQ(lstrcmpiA(help.target.c_str(), (kApplication + "Chimebox.chm").c_str()), 0) << help.target;
    EXPECT_EQ(lstrcmpiA(remove.target.c_str(), (kApplication + "_Unins.exe").c_str()), 0) << remove.target;
    EXPECT_EQ(remove.iconIndex, 1);

    // The manager, started from its shortcut, connects to the default
    // virtual phone and lists its ringtones.
    HANDLE manager = StartProgram("\"" + program.target + "\"");
    ASSERT_NE(manager, nullptr);
    HWND main = WaitForDialog("Chimebox", 30000);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitFor([&] { return ControlTextOf(main, 203).compare(0, 13, "Connected to ") == 0; }, 30000))
        << ControlTextOf(main, 203);
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(GetDlgItem(main, 204), LVM_GETITEMCOUNT, 0, 0) > 0; }, 30000));
    Sleep(300);
    SaveWindowPicture(main, std::string(SCREENS_FOLDER) + "5-manager.png");
    EXPECT_TRUE(Press(main, IDCANCEL));
    EXPECT_EQ(WaitForExit(manager, 30000), 0);
    CloseHandle(manager);
    // The component's server goes a little after its last client.
    Sleep(3000);

    // The uninstall entry's command asks, hands over to a temporary copy and
    // that removes everything.
    HANDLE confirmation = StartProgram(uninstall);
    ASSERT_NE(confirmation, nullptr);
    HWND question = WaitForDialog("Setup", 30000);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(ControlTextOf(question, 0xFFFF), "Are you sure you would like to remove the application from your system?");
    EXPECT_TRUE(Press(question, IDYES));
    EXPECT_EQ(WaitForExit(confirmation, 30000), 0);
    CloseHandle(confirmation);
    EXPECT_TRUE(WaitFor([] { return !PathExists(kApplication) && !WaitForDialog("Setup", 0); }, 60000));

    for (const std::string &gone : {kApplication, kShared, kMenu})
        EXPECT_FALSE(PathExists(gone)) << gone;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kDeviceManagerKey));
    EXPECT_EQ(SharedCount(kShared + "TWMPC.exe"), -1);
    EXPECT_EQ(SharedCount(kShared + "TWMPCUI.dll"), -1);
    EXPECT_EQ(OutputOf("uninstaller.exe --list").find("Chimebox"), std::string::npos);
    EXPECT_TRUE(TemporaryCopyExists());
}

} // namespace
