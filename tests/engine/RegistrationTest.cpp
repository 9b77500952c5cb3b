// Registration of servers, the registration pass over the log and the
// run-once entry.
#include "EngineFixture.h"

namespace {

struct ServerCase {
    const char *built;   // file built beside the tests, copied to the name below
    const char *name;
    HRESULT registered;  // result of registering
    bool records;        // the server's entry point or program ran
};

class ServerFiles : public EngineTest, public ::testing::WithParamInterface<ServerCase> {};

} // namespace

TEST_P(ServerFiles, RegisterAndUnregister)
{
    const ServerCase &c = GetParam();
    std::string path = source + c.name;
    if (c.built)
        CopyInto(BuiltFile(c.built), path);
    EXPECT_EQ(InstallEngine::RegisterServerFile(path.c_str(), true), c.registered);
    EXPECT_EQ(IsRegistered(path), c.records);
    EXPECT_EQ(InstallEngine::RegisterServerFile(path.c_str(), false), c.registered);
    EXPECT_FALSE(IsRegistered(path));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ServerFiles,
    ::testing::Values(ServerCase{"engine_server_ok.exe", "server.exe", S_OK, true},
                      ServerCase{"engine_server_ok.exe", "upper.EXE", S_OK, true},
                      ServerCase{"engine_server_fail.exe", "failing.exe", E_ACCESSDENIED, true},
                      ServerCase{"engine_library.dll", "library.dll", S_OK, true},
                      ServerCase{"engine_library_bare.dll", "bare.dll", E_FAIL, false},
                      ServerCase{nullptr, "missing.exe", S_OK, false},
                      ServerCase{nullptr, "missing.dll", E_FAIL, false},
                      ServerCase{"engine_server_ok.exe", "nodot", S_OK, false},
                      ServerCase{"engine_server_ok.exe", "server.txt", E_FAIL, false}));

TEST_F(EngineTest, HangingServerIsEndedAfterNineSecondsAsFailure)
{
    std::string path = source + "hang.exe";
    CopyInto(BuiltFile("engine_server_hang.exe"), path);
    DWORD start = GetTickCount();
    EXPECT_EQ(InstallEngine::RegisterServerFile(path.c_str(), true), E_FAIL);
    DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 8500u);
    EXPECT_LT(waited, 15000u);
    // The process is gone: its file can be deleted.
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST_F(EngineTest, RegistrationPassReportsEachFailureByFileNameAndGoesOn)
{
    CopyInto(BuiltFile("engine_server_ok.exe"), source + "good.exe");
    CopyInto(BuiltFile("engine_server_fail.exe"), source + "bad.exe");
    CopyInto(BuiltFile("engine_library_bare.dll"), source + "bare.dll");
    CopyInto(BuiltFile("engine_library.dll"), source + "unflagged.dll");
    lstrcpyA(engine.logPath, (source + "_Install.log").c_str());
    engine.LogNumber("Installed", (source + "bad.exe").c_str(), LOG_REGISTER | LOG_SHARED);
    engine.LogNumber("Installed", (source + "good.exe").c_str(), LOG_REGISTER);
    engine.LogNumber("Installed", (source + "unflagged.dll").c_str(), LOG_SHARED);
    engine.LogNumber("Installed", (source + "bare.dll").c_str(), LOG_REGISTER);
    engine.AttachProgressWindow(recorder.Window(), ProgressRecorder::kMessage);

    EXPECT_EQ(engine.RegisterComponents(), 1);
    ASSERT_EQ(catcher.Caught().size(), 2u);
    EXPECT_EQ(catcher.Caught()[0].text, "Error 0x80070005 registering bad.exe on system.");
    EXPECT_EQ(catcher.Caught()[1].text, "Error 0x80004005 registering bare.dll on system.");
    for (const CaughtDialog &box : catcher.Caught()) {
        EXPECT_EQ(box.caption, "Setup");
        EXPECT_TRUE(box.hasIcon);
        EXPECT_EQ(box.owner, recorder.Window());
    }
    EXPECT_TRUE(engine.hadErrors);
    EXPECT_TRUE(IsRegistered(source + "good.exe"));
    EXPECT_FALSE(IsRegistered(source + "unflagged.dll"));
    EXPECT_EQ(recorder.Messages(), (std::vector<std::pair<WPARAM, LPARAM>>{{PROGRESS_FINISHED, 0}}));
    // The pass only reads the log.
    EXPECT_EQ(LogKeys(engine.logPath, "Installed").size(), 4u);
}

TEST_F(EngineTest, RegistrationPassOverEmptyLogOnlyFinishes)
{
    lstrcpyA(engine.logPath, (source + "_Install.log").c_str());
    engine.AttachProgressWindow(recorder.Window(), ProgressRecorder::kMessage);
    EXPECT_EQ(engine.RegisterComponents(), 1);
    EXPECT_TRUE(catcher.Caught().empty());
    EXPECT_FALSE(engine.hadErrors);
    EXPECT_EQ(recorder.Messages(), (std::vector<std::pair<WPARAM, LPARAM>>{{PROGRESS_FINISHED, 0}}));
}

TEST_F(EngineTest, NothingIsPostedWithoutAProgressWindow)
{
    lstrcpyA(engine.logPath, (source + "_Install.log").c_str());
    EXPECT_EQ(engine.RegisterComponents(), 1);
    EXPECT_TRUE(recorder.Messages().empty());
}

TEST_F(EngineTest, RunOnceCommandQuotesTheUninstallerAndTakesTheLoggedName)
{
    const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    lstrcpyA(engine.applicationFolder, "C:\\Program Files\\Chimebox\\");
    lstrcpyA(engine.logPath, "C:\\Program Files\\Chimebox\\_Install.log");
    ASSERT_TRUE(CreateDirectoryA("C:\\Program Files\\Chimebox", nullptr));
    EXPECT_EQ(engine.ScheduleRegistration(), 1);
    EXPECT_EQ(MachineString(key, "TWSetup"),
              "\"C:\\Program Files\\Chimebox\\_Unins.exe\" /P C:\\Program Files\\Chimebox\\_Install.log");

    WritePrivateProfileStringA("Setup", "AppName", "Chimebox", engine.logPath);
    EXPECT_EQ(engine.ScheduleRegistration(), 1);
    EXPECT_STREQ(engine.applicationName, "Chimebox");
    EXPECT_EQ(MachineString(key, "Chimebox"),
              "\"C:\\Program Files\\Chimebox\\_Unins.exe\" /P C:\\Program Files\\Chimebox\\_Install.log");
    HKEY handle;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_WRITE, &handle), ERROR_SUCCESS);
    RegDeleteValueA(handle, "TWSetup");
    RegCloseKey(handle);
}
