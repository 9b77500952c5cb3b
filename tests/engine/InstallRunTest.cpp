// Install runs: the copy through the queue, the install log, shared counts,
// registration or its deferral, the uninstaller copy and the uninstall entry.
#include "EngineFixture.h"

namespace {

// The section headers of the log file in the order the file holds them.
std::vector<std::string> SectionOrder(const std::string &log)
{
    std::vector<char> names(4096);
    DWORD length = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), log.c_str());
    return NulSeparated(names.data(), length);
}

using Messages = std::vector<std::pair<WPARAM, LPARAM>>;

Messages SuccessfulRunMessages(LPARAM files)
{
    Messages expected{{0, files}};
    for (LPARAM i = 0; i < files; ++i)
        expected.emplace_back(1, 0);
    expected.emplace_back(PROGRESS_CONFIGURING, 0);
    expected.emplace_back(PROGRESS_FINISHED, 0);
    return expected;
}

} // namespace

TEST_F(EngineTest, ShippedScriptInstallsIntoItsFoldersAndLogsAsExpected)
{
    MakeShippedSource();
    OpenEngine();
    ASSERT_EQ(engine.RunInstall(), 1);

    const std::string log = engine.logPath;
    EXPECT_EQ(log, AppFolder() + "\\_Install.log");
    EXPECT_EQ(SectionOrder(log), (std::vector<std::string>{"Directories", "Installed", "Setup"}));
    EXPECT_EQ(LogKeys(log, "Directories"), (std::vector<std::string>{AppFolder(), SharedFolder(), MenuFolder()}));
    for (const std::string &folder : LogKeys(log, "Directories"))
        EXPECT_EQ(LogValue(log, "Directories", folder), 0) << folder;

    const std::vector<std::pair<std::string, int>> installed{
        {SharedFolder() + "\\TWMPC.exe", 3},         {SharedFolder() + "\\TWMPCUI.dll", 3},
        {AppFolder() + "\\TWChimebox.exe", 0},       {AppFolder() + "\\Chimebox.chm", 0},
        {AppFolder() + "\\License.txt", 0},          {AppFolder() + "\\_Unins.exe", 0},
        {MenuFolder() + "\\Chimebox.lnk", 0},        {MenuFolder() + "\\Help.lnk", 0},
        {MenuFolder() + "\\Uninstall Chimebox.lnk", 0}};
    std::vector<std::string> expectedKeys;
    for (const auto &entry : installed) {
        expectedKeys.push_back(entry.first);
        EXPECT_EQ(LogValue(log, "Installed", entry.first), entry.second) << entry.first;
        EXPECT_TRUE(Exists(entry.first)) << entry.first;
    }
    EXPECT_EQ(LogKeys(log, "Installed"), expectedKeys);
    EXPECT_EQ(LogKeys(log, "Setup"), std::vector<std::string>{"AppName"});
    char name[64] = "";
    GetPrivateProfileStringA("Setup", "AppName", "", name, sizeof name, log.c_str());
    EXPECT_STREQ(name, "Chimebox");

    EXPECT_EQ(recorder.Messages(), SuccessfulRunMessages(5));
    EXPECT_TRUE(IsRegistered(SharedFolder() + "\\TWMPC.exe"));
    EXPECT_TRUE(IsRegistered(SharedFolder() + "\\TWMPCUI.dll"));
    EXPECT_EQ(SharedCount(SharedFolder() + "\\TWMPC.exe"), 1);
    EXPECT_EQ(SharedCount(SharedFolder() + "\\TWMPCUI.dll"), 1);
    EXPECT_EQ(MachineString(kUninstallKey, "DisplayName"), "Chimebox");
    EXPECT_EQ(MachineString(kUninstallKey, "UninstallString"), "\"" + AppFolder() + "\\_Unins.exe\"");
    EXPECT_EQ(MachineString(kRunOnceKey, "Chimebox"), "<missing>");
    EXPECT_TRUE(catcher.Caught().empty());
    EXPECT_FALSE(engine.hadErrors);
    EXPECT_FALSE(engine.restartNeeded);
}

TEST_F(EngineTest, SecondInstallIntoTheSameFolderTakesNoSecondSharedReference)
{
    MakeShippedSource();
    OpenEngine();
    ASSERT_EQ(engine.RunInstall(), 1);
    const std::vector<std::string> firstKeys = LogKeys(engine.logPath, "Installed");
    {
        InstallEngine again;
        ASSERT_EQ(again.Open((source + "Setup.inf").c_str(), source.c_str()), S_OK);
        again.ownerWindow = recorder.Window();
        ASSERT_EQ(again.RunInstall(), 1);
    }
    EXPECT_EQ(SharedCount(SharedFolder() + "\\TWMPC.exe"), 1);
    EXPECT_EQ(SharedCount(SharedFolder() + "\\TWMPCUI.dll"), 1);
    EXPECT_EQ(LogValue(engine.logPath, "Installed", SharedFolder() + "\\TWMPC.exe"), 3);
    EXPECT_EQ(LogKeys(engine.logPath, "Installed"), firstKeys);
    EXPECT_EQ(LogKeys(engine.logPath, "Directories").size(), 3u);
    EXPECT_EQ(MachineString(kUninstallKey, "UninstallString"), "\"" + AppFolder() + "\\_Unins.exe\"");
    EXPECT_TRUE(catcher.Caught().empty());
}

TEST_F(EngineTest, WithoutSharedCountsKeySharedFilesAreLoggedUnshared)
{
    ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"),
              ERROR_SUCCESS);
    MakeShippedSource();
    OpenEngine();
    ASSERT_EQ(engine.RunInstall(), 1);
    EXPECT_EQ(LogValue(engine.logPath, "Installed", SharedFolder() + "\\TWMPC.exe"), LOG_REGISTER);
    EXPECT_EQ(LogValue(engine.logPath, "Installed", SharedFolder() + "\\TWMPCUI.dll"), LOG_REGISTER);
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_TRUE(catcher.Caught().empty());
}

TEST_F(EngineTest, SharedAndRegisterKeysAndVersionBlockDecideTheFlags)
{
    MakeSource("[Version]\r\nSignature=\"$Chicago$\"\r\n[DefaultInstall]\r\nCopyFiles=Files\r\n"
               "[DestinationDirs]\r\nDefaultDestDir=49000\r\n[Setup.Data]\r\nAppName=Chimebox\r\n"
               "[Files]\r\nupper.txt\r\nmixed.txt\r\nno.txt\r\ntrue.txt\r\nnone.txt\r\n"
               "ole.exe\r\nplain.dll\r\nregistered.txt\r\nrefused.exe\r\nboth.dll\r\n"
               "[upper.txt]\r\nShared = YES\r\n[mixed.txt]\r\nShared=yEs\r\n[no.txt]\r\nShared=no\r\n"
               "[true.txt]\r\nShared=true\r\n[registered.txt]\r\nRegisterServer=Yes\r\n"
               "[refused.exe]\r\nRegisterServer=no\r\n[both.dll]\r\nShared=yes\r\nRegisterServer=YES\r\n",
               {{"upper.txt", ""},
                {"mixed.txt", ""},
                {"no.txt", ""},
                {"true.txt", ""},
                {"none.txt", ""},
                {"ole.exe", "engine_server_ok.exe"},
                {"plain.dll", "engine_library_bare.dll"},
                {"registered.txt", ""},
                {"refused.exe", "engine_server_ok.exe"},
                {"both.dll", "engine_library_bare.dll"}});
    OpenEngine();
    ASSERT_EQ(engine.QueueCopyFiles(), 1);
    ASSERT_EQ(engine.CommitQueue(), 1);

    const struct {
        const char *file;
        int flags;
    } rows[] = {
        {"upper.txt", LOG_SHARED},  {"mixed.txt", LOG_SHARED},     {"no.txt", 0},
        {"true.txt", 0},            {"none.txt", 0},               {"ole.exe", LOG_REGISTER},
        {"plain.dll", 0},           {"registered.txt", LOG_REGISTER}, {"refused.exe", 0},
        {"both.dll", LOG_REGISTER | LOG_SHARED},
    };
    for (const auto &row : rows) {
        std::string target = AppFolder() + "\\" + row.file;
        EXPECT_EQ(LogValue(engine.logPath, "Installed", target), row.flags) << row.file;
        EXPECT_EQ(SharedCount(target), (row.flags & LOG_SHARED) ? 1 : -1) << row.file;
    }
    // One folder, listed once however many files went into it.
    EXPECT_EQ(LogKeys(engine.logPath, "Directories"), std::vector<std::string>{AppFolder()});
    EXPECT_EQ(recorder.Messages(), (Messages{{0, 10}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0},
                                             {1, 0}, {1, 0}, {1, 0}}));
}

TEST_F(EngineTest, InstallSectionWithoutCopyFilesCommitsAnEmptyQueue)
{
    MakeSource("[Version]\r\nSignature=\"$Chicago$\"\r\n[DefaultInstall]\r\n"
               "[DestinationDirs]\r\nDefaultDestDir=49000\r\n[Setup.Data]\r\nAppName=Chimebox\r\n",
               {});
    OpenEngine();
    ASSERT_EQ(engine.RunInstall(), 1);
    EXPECT_EQ(LogKeys(engine.logPath, "Installed"), std::vector<std::string>{AppFolder() + "\\_Unins.exe"});
    EXPECT_EQ(LogKeys(engine.logPath, "Directories"), std::vector<std::string>{AppFolder()});
    EXPECT_EQ(recorder.Messages(), (Messages{{PROGRESS_CONFIGURING, 0}, {PROGRESS_FINISHED, 0}}));
    EXPECT_EQ(MachineString(kUninstallKey, "UninstallString"), "\"" + AppFolder() + "\\_Unins.exe\"");
    EXPECT_FALSE(engine.hadErrors);
}

TEST_F(EngineTest, DefaultApplicationNameStillGetsItsUninstallEntry)
{
    MakeSource("[Version]\r\nSignature=\"$Chicago$\"\r\n[DefaultInstall]\r\n"
               "[DestinationDirs]\r\nDefaultDestDir=49000\r\n",
               {});
    OpenEngine();
    ASSERT_EQ(engine.RunInstall(), 1);
    const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TWSetup";
    EXPECT_EQ(MachineString(key, "DisplayName"), "TWSetup");
    EXPECT_EQ(MachineString(key, "UninstallString"), "\"C:\\Program Files\\TWSetup\\_Unins.exe\"");
}

TEST_F(EngineTest, MissingSourceFileEndsTheCopyWithCopyErrorAndFailsTheRun)
{
    MakeShippedSource();
    ASSERT_TRUE(DeleteFileA((source + "TWChimebox.exe").c_str()));
    OpenEngine();
    EXPECT_EQ(engine.RunInstall(), 0);

    ASSERT_EQ(catcher.Caught().size(), 2u);
    EXPECT_EQ(catcher.Caught()[0].caption, "Copy error");
    EXPECT_EQ(catcher.Caught()[0].text, source + "TWChimebox.exe");
    EXPECT_EQ(catcher.Caught()[0].owner, nullptr);
    EXPECT_EQ(catcher.Caught()[0].buttons, std::vector<int>{IDOK});
    EXPECT_EQ(catcher.Caught()[1].caption, "Setup");
    EXPECT_EQ(catcher.Caught()[1].text, "Error copying files.");
    EXPECT_EQ(catcher.Caught()[1].owner, recorder.Window());
    EXPECT_TRUE(catcher.Caught()[1].hasIcon);
    EXPECT_TRUE(engine.hadErrors);
    EXPECT_EQ(recorder.Count(PROGRESS_FINISHED), 1);
    EXPECT_EQ(recorder.Count(PROGRESS_CONFIGURING), 0);
    EXPECT_EQ(recorder.Messages().back(), (std::pair<WPARAM, LPARAM>(PROGRESS_FINISHED, 0)));
    // What was copied before stays logged; nothing after the copy was done.
    EXPECT_EQ(LogValue(engine.logPath, "Installed", SharedFolder() + "\\TWMPC.exe"), 3);
    EXPECT_EQ(LogValue(engine.logPath, "Installed", AppFolder() + "\\TWChimebox.exe"), -1);
    EXPECT_FALSE(IsRegistered(SharedFolder() + "\\TWMPC.exe"));
    EXPECT_FALSE(Exists(AppFolder() + "\\_Unins.exe"));
    EXPECT_EQ(MachineString(kUninstallKey, "DisplayName"), "<missing>");
    EXPECT_FALSE(Exists(MenuFolder()));
}

TEST_F(EngineTest, CopySectionThatCannotBeQueuedFailsTheRunBeforeCopying)
{
    MakeSource("[Version]\r\nSignature=\"$Chicago$\"\r\n[DefaultInstall]\r\nCopyFiles=Files, Absent\r\n"
               "[DestinationDirs]\r\nDefaultDestDir=49000\r\n[Setup.Data]\r\nAppName=Chimebox\r\n"
               "[Files]\r\na.txt\r\n",
               {{"a.txt", ""}});
    OpenEngine();
    EXPECT_EQ(engine.RunInstall(), 0);
    ASSERT_EQ(catcher.Caught().size(), 1u);
    EXPECT_EQ(catcher.Caught()[0].caption, "Setup");
    EXPECT_EQ(catcher.Caught()[0].text, "Error intializing installer.");
    EXPECT_TRUE(engine.hadErrors);
    EXPECT_EQ(recorder.Messages(), (Messages{{PROGRESS_FINISHED, 0}}));
    EXPECT_FALSE(Exists(AppFolder() + "\\a.txt"));
}

TEST_F(EngineTest, FileInUseDefersTheCopyAndTheRegistrationToTheRestart)
{
    MakeShippedSource();
    ASSERT_TRUE(CreateDirectoryA(AppFolder().c_str(), nullptr));
    WriteText(AppFolder() + "\\TWChimebox.exe", "old version");
    HANDLE inUse = CreateFileA((AppFolder() + "\\TWChimebox.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
    ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    OpenEngine();
    EXPECT_EQ(engine.RunInstall(), 1);
    CloseHandle(inUse);

    EXPECT_TRUE(engine.restartNeeded);
    EXPECT_FALSE(engine.hadErrors);
    Messages expected{{0, 5}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {PROGRESS_FINISHED, 0}};
    EXPECT_EQ(recorder.Messages(), expected);
    EXPECT_FALSE(IsRegistered(SharedFolder() + "\\TWMPC.exe"));
    EXPECT_EQ(MachineString(kRunOnceKey, "Chimebox"),
              "\"" + AppFolder() + "\\_Unins.exe\" /P " + AppFolder() + "\\_Install.log");
    EXPECT_EQ(LogValue(engine.logPath, "Installed", AppFolder() + "\\TWChimebox.exe"), 0);
    EXPECT_EQ(LogValue(engine.logPath, "Installed", SharedFolder() + "\\TWMPC.exe"), 3);
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                           "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_TRUE(catcher.Caught().empty());

    catcher.Answer(IDNO);
    engine.Close();
    ASSERT_EQ(catcher.Caught().size(), 1u);
    EXPECT_EQ(catcher.Caught()[0].caption, "System Settings Change");
}
