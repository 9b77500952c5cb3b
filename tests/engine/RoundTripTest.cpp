// An install followed by its uninstall leaves the system as it was.
#include "EngineFixture.h"

#include <set>

namespace {

// Every key and value below a registry key, as "path|name|type|data". Links
// (such as CurrentControlSet) are recorded, not followed: they lead round.
void SnapshotKey(HKEY root, const std::string &path, std::set<std::string> &out)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    out.insert(path + "\\");
    std::vector<BYTE> data(1 << 16);
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        DWORD dataSize = static_cast<DWORD>(data.size());
        LONG result = RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &dataSize);
        if (result != ERROR_SUCCESS)
            break;
        out.insert(path + "|" + name + "|" + std::to_string(type) + "|" +
                   std::string(reinterpret_cast<const char *>(data.data()), dataSize));
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string &child : children)
        // The performance counters are made up on each read and never end.
        if (lstrcmpiA(child.c_str(), "Perflib") != 0)
            SnapshotKey(root, path + "\\" + child, out);
}

void SnapshotFiles(const std::string &folder, std::set<std::string> &out)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        out.insert(path);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            SnapshotFiles(path, out);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct Snapshot {
    std::set<std::string> machine, user, files;
};

// The folders an install could write to; the users' folders, which hold the
// source folder and links into the host's home, are left out.
Snapshot Take()
{
    Snapshot s;
    SnapshotKey(HKEY_LOCAL_MACHINE, "Software", s.machine);
    SnapshotKey(HKEY_LOCAL_MACHINE, "System", s.machine);
    SnapshotKey(HKEY_CURRENT_USER, "Software", s.user);
    for (const char *folder : {"C:\\Program Files", "C:\\Program Files (x86)", "C:\\ProgramData", "C:\\windows"})
        SnapshotFiles(folder, s.files);
    return s;
}

std::vector<std::string> Difference(const std::set<std::string> &a, const std::set<std::string> &b)
{
    std::vector<std::string> out;
    for (const std::string &item : a)
        if (!b.count(item))
            out.push_back(item);
    return out;
}

bool ClassRegistered(const char *clsid)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + clsid).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

const char kDeviceManager[] = "{F38CF92D-30A6-4542-A747-CFC5E5AC74A3}";
const char kPropertyPage[] = "{392610C2-50BF-441E-930F-6E3B896962EF}";

// With the stand-in servers, and with the real component whose registration
// writes its classes and type library.
class RoundTrip : public EngineTest, public ::testing::WithParamInterface<bool> {};

} // namespace

TEST_P(RoundTrip, InstallThenUninstallLeavesNothingBehind)
{
    const bool realComponent = GetParam();
    MakeShippedSource(realComponent);
    // The stand-in servers keep their records under this key.
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\ChimeboxEngineTests\\Registered", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const Snapshot before = Take();

    {
        InstallEngine installer;
        ASSERT_EQ(installer.Open((source + "Setup.inf").c_str(), source.c_str()), S_OK);
        installer.ownerWindow = recorder.Window();
        ASSERT_EQ(installer.RunInstall(), 1);
        if (realComponent) {
            EXPECT_TRUE(ClassRegistered(kDeviceManager));
            EXPECT_TRUE(ClassRegistered(kPropertyPage));
        } else {
            EXPECT_TRUE(IsRegistered(CommonFiles() + "Tonewright\\TWMPC.exe"));
        }
        EXPECT_TRUE(catcher.Caught().empty());
    }
    const Snapshot installed = Take();
    EXPECT_FALSE(Difference(installed.files, before.files).empty());
    EXPECT_FALSE(Difference(installed.machine, before.machine).empty());

    ASSERT_EQ(engine.OpenQueue(), S_OK);
    lstrcpyA(engine.logPath, (ProgramFiles() + "Chimebox\\_Install.log").c_str());
    ASSERT_EQ(engine.RunUninstall(), 1);
    const Snapshot after = Take();

    EXPECT_EQ(Difference(after.files, before.files), std::vector<std::string>{});
    EXPECT_EQ(Difference(before.files, after.files), std::vector<std::string>{});
    EXPECT_EQ(Difference(after.machine, before.machine), std::vector<std::string>{});
    EXPECT_EQ(Difference(before.machine, after.machine), std::vector<std::string>{});
    EXPECT_EQ(Difference(after.user, before.user), std::vector<std::string>{});
    EXPECT_EQ(Difference(before.user, after.user), std::vector<std::string>{});
    EXPECT_TRUE(catcher.Caught().empty());
    EXPECT_FALSE(ClassRegistered(kDeviceManager));
}

INSTANTIATE_TEST_SUITE_P(Payloads, RoundTrip, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "RealComponent" : "StandIns");
                         });
