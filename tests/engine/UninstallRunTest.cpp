// Uninstall runs from the install log.
#include "EngineFixture.h"

namespace {

// Installs the shipped payload with an engine of its own, as an earlier
// Setup process did.
void InstallShipped(const std::string &source, HWND owner)
{
    InstallEngine installer;
    ASSERT_EQ(installer.Open((source + "Setup.inf").c_str(), source.c_str()), S_OK);
    installer.ownerWindow = owner;
    ASSERT_EQ(installer.RunInstall(), 1);
}

struct SharedCase {
    long countBefore; // -1: no value
    bool stays;
    long countAfter;
};

class UninstallShared : public EngineTest, public ::testing::WithParamInterface<SharedCase> {
protected:
    // The uninstall mode's engine: no script, a queue, the log's path.
    void PrepareUninstall()
    {
        ASSERT_EQ(engine.OpenQueue(), S_OK);
        lstrcpyA(engine.logPath, (AppFolder() + "\\_Install.log").c_str());
        engine.ownerWindow = recorder.Window();
        engine.AttachProgressWindow(recorder.Window(), ProgressRecorder::kMessage);
    }
};

} // namespace

TEST_P(UninstallShared, SharedComponentGoesWithItsLastReference)
{
    const SharedCase &c = GetParam();
    MakeShippedSource();
    InstallShipped(source, recorder.Window());
    const std::string server = SharedFolder() + "\\TWMPC.exe";
    const std::string library = SharedFolder() + "\\TWMPCUI.dll";
    for (const std::string &file : {server, library}) {
        ASSERT_EQ(SharedCount(file), 1);
        ASSERT_TRUE(IsRegistered(file));
        if (c.countBefore < 0)
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs",
                               file.c_str());
        else
            SetSharedCount(file, static_cast<DWORD>(c.countBefore));
    }
    PrepareUninstall();
    EXPECT_EQ(engine.RunUninstall(), 1);

    for (const std::string &file : {server, library}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(Exists(file), c.stays);
        EXPECT_EQ(IsRegistered(file), c.stays);
        EXPECT_EQ(SharedCount(file), c.countAfter);
    }
    EXPECT_EQ(Exists(SharedFolder()), c.stays);
    EXPECT_FALSE(Exists(AppFolder()));
    EXPECT_FALSE(Exists(MenuFolder()));
    EXPECT_EQ(MachineString(kUninstallKey, "DisplayName"), "<missing>");
    EXPECT_TRUE(catcher.Caught().empty());
    EXPECT_FALSE(engine.hadErrors);
    EXPECT_STREQ(engine.applicationName, "Chimebox");
    // One range and one step per file queued for deletion.
    std::vector<std::pair<WPARAM, LPARAM>> expected{{0, c.stays ? 7 : 9}};
    for (int i = 0; i < (c.stays ? 7 : 9); ++i)
        expected.emplace_back(1, 0);
    expected.emplace_back(PROGRESS_FINISHED, 0);
    EXPECT_EQ(recorder.Messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(Counts, UninstallShared,
                         ::testing::Values(SharedCase{2, true, 1}, SharedCase{1, false, -1},
                                           SharedCase{0, false, 0}, SharedCase{-1, false, -1}));

TEST_F(EngineTest, UninstallDeletesNewestEntryFirst)
{
    MakeShippedSource();
    InstallShipped(source, recorder.Window());
    const std::vector<std::string> installed = LogKeys(AppFolder() + "\\_Install.log", "Installed");
    // With every file already gone, each deletion fails and shows its path,
    // in the order the queue takes them.
    for (const std::string &file : installed)
        ASSERT_TRUE(DeleteFileA(file.c_str())) << file;
    ASSERT_EQ(engine.OpenQueue(), S_OK);
    lstrcpyA(engine.logPath, (AppFolder() + "\\_Install.log").c_str());
    EXPECT_EQ(engine.RunUninstall(), 1);

    std::vector<std::string> shown;
    std::vector<std::string> unregistration;
    for (const CaughtDialog &box : catcher.Caught()) {
        if (box.caption == "Deleting") {
            EXPECT_EQ(box.owner, nullptr);
            shown.push_back(box.text);
        } else {
            unregistration.push_back(box.text);
        }
    }
    std::vector<std::string> expected(installed.rbegin(), installed.rend());
    EXPECT_EQ(shown, expected);
    // A library that is gone cannot be unregistered; a program that is gone
    // cannot be started, which is no error.
    EXPECT_EQ(unregistration,
              std::vector<std::string>{"Error 0x80004005 registering " + SharedFolder() + "\\TWMPCUI.dll on system."});
    EXPECT_FALSE(Exists(AppFolder()));
}

TEST_F(EngineTest, UninstallWithEmptyInstalledSectionStillCleansUp)
{
    ASSERT_TRUE(CreateDirectoryA(AppFolder().c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(SharedFolder().c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((SharedFolder() + "\\kept").c_str(), nullptr));
    const std::string log = AppFolder() + "\\_Install.log";
    WritePrivateProfileStringA("Directories", AppFolder().c_str(), "0", log.c_str());
    WritePrivateProfileStringA("Directories", SharedFolder().c_str(), "0", log.c_str());
    WritePrivateProfileStringA("Setup", "AppName", "Chimebox", log.c_str());
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunOnceKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Chimebox", 0, REG_SZ, reinterpret_cast<const BYTE *>("x"), 2);
    RegCloseKey(key);

    ASSERT_EQ(engine.OpenQueue(), S_OK);
    lstrcpyA(engine.logPath, log.c_str());
    engine.AttachProgressWindow(recorder.Window(), ProgressRecorder::kMessage);
    EXPECT_EQ(engine.RunUninstall(), 1);

    // The application folder held the log and still goes; a folder that
    // holds something stays.
    EXPECT_FALSE(Exists(log));
    EXPECT_FALSE(Exists(AppFolder()));
    EXPECT_TRUE(Exists(SharedFolder() + "\\kept"));
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(MachineString(kRunOnceKey, "Chimebox"), "<missing>");
    EXPECT_EQ(recorder.Messages(), (std::vector<std::pair<WPARAM, LPARAM>>{{PROGRESS_FINISHED, 0}}));
    EXPECT_TRUE(catcher.Caught().empty());
}

TEST_F(EngineTest, FailedUnregistrationNamesTheFullPathAndStillDeletes)
{
    ASSERT_TRUE(CreateDirectoryA(AppFolder().c_str(), nullptr));
    const std::string failing = AppFolder() + "\\failing.exe";
    CopyInto(BuiltFile("engine_server_fail.exe"), failing);
    const std::string log = AppFolder() + "\\_Install.log";
    WritePrivateProfileStringA("Installed", failing.c_str(), "1", log.c_str());
    ASSERT_EQ(engine.OpenQueue(), S_OK);
    lstrcpyA(engine.logPath, log.c_str());
    EXPECT_EQ(engine.RunUninstall(), 1);

    ASSERT_EQ(catcher.Caught().size(), 1u);
    EXPECT_EQ(catcher.Caught()[0].caption, "Setup");
    EXPECT_EQ(catcher.Caught()[0].text, "Error 0x80070005 registering " + failing + " on system.");
    EXPECT_TRUE(catcher.Caught()[0].hasIcon);
    EXPECT_FALSE(Exists(failing));
    EXPECT_FALSE(engine.hadErrors);
}
