// The folders behind the script's directory ids, Open and Close.
#include "EngineFixture.h"

#include <shlobj.h>

namespace {

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

void SetFolderValue(const char *name, const char *value)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    if (value)
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value), lstrlenA(value) + 1);
    else
        RegDeleteValueA(key, name);
    RegCloseKey(key);
}

const char kMinimalScript[] = "[Version]\r\nSignature=\"$Chicago$\"\r\n"
                              "[DefaultInstall]\r\n"
                              "[DestinationDirs]\r\nDefaultDestDir=49000\r\nCommon=32811, Sub\r\nMenu=32791\r\n";

std::string TargetOf(HINF script, const char *section)
{
    char path[MAX_PATH] = "";
    if (!SetupGetTargetPathA(script, nullptr, section, path, sizeof path, nullptr))
        return "<none>";
    return path;
}

struct FolderCase {
    const char *programFiles;
    const char *commonFiles;
    const char *expectedProgramFiles;
    const char *expectedCommonFiles;
};

class FolderValues : public EngineTest, public ::testing::WithParamInterface<FolderCase> {};

} // namespace

TEST_P(FolderValues, EndInOneBackslashAndFallBack)
{
    const FolderCase &c = GetParam();
    SetFolderValue("ProgramFilesDir", c.programFiles);
    SetFolderValue("CommonFilesDir", c.commonFiles);
    char buffer[ENGINE_PATH_SIZE];
    InstallEngine::ProgramFilesFolder(buffer);
    EXPECT_STREQ(buffer, c.expectedProgramFiles);
    InstallEngine::CommonFilesFolder(buffer);
    EXPECT_STREQ(buffer, c.expectedCommonFiles);
    ASSERT_TRUE(InstallEngine::ResolveFolder(CSIDL_PROGRAM_FILES, buffer));
    EXPECT_STREQ(buffer, c.expectedProgramFiles);
    ASSERT_TRUE(InstallEngine::ResolveFolder(CSIDL_PROGRAM_FILES_COMMON, buffer));
    EXPECT_STREQ(buffer, c.expectedCommonFiles);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, FolderValues,
    ::testing::Values(FolderCase{"D:\\Apps", "D:\\Apps\\Shared", "D:\\Apps\\", "D:\\Apps\\Shared\\"},
                      FolderCase{"D:\\Apps\\", "D:\\Apps\\Shared\\", "D:\\Apps\\", "D:\\Apps\\Shared\\"},
                      FolderCase{"D:\\Apps", nullptr, "D:\\Apps\\", "D:\\Apps\\Common Files\\"},
                      FolderCase{nullptr, nullptr, "C:\\Program Files\\", "C:\\Program Files\\Common Files\\"},
                      FolderCase{"", "", "C:\\Program Files\\", "C:\\Program Files\\Common Files\\"}));

TEST_F(EngineTest, ResolvesAllUsersProgramsMenu)
{
    char buffer[ENGINE_PATH_SIZE];
    ASSERT_TRUE(InstallEngine::ResolveFolder(CSIDL_COMMON_PROGRAMS, buffer));
    EXPECT_EQ(std::string(buffer), ProgramsMenu());
}

TEST_F(EngineTest, EnsureDirectoryMakesOneLevelAndRefusesFiles)
{
    std::string made = source + "made";
    EXPECT_TRUE(InstallEngine::EnsureDirectory(made.c_str()));
    EXPECT_TRUE(Exists(made));
    EXPECT_TRUE(InstallEngine::EnsureDirectory(made.c_str()));
    EXPECT_FALSE(InstallEngine::EnsureDirectory((source + "missing\\child").c_str()));
    WriteText(source + "file", "x");
    EXPECT_FALSE(InstallEngine::EnsureDirectory((source + "file").c_str()));
}

TEST_F(EngineTest, OpenRefusesMissingScriptAndScriptWithoutSignature)
{
    EXPECT_EQ(engine.Open((source + "Setup.inf").c_str(), source.c_str()), E_FAIL);
    EXPECT_EQ(engine.scriptHandle, INVALID_HANDLE_VALUE);
    WriteText(source + "Setup.inf", "[Version]\r\nSignature=\"$Unknown$\"\r\n[Setup.Data]\r\nAppName=Other\r\n");
    EXPECT_EQ(engine.Open((source + "Setup.inf").c_str(), source.c_str()), E_FAIL);
    EXPECT_EQ(engine.scriptHandle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(engine.fileQueue, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(engine.applicationName, "TWSetup");
    EXPECT_STREQ(engine.sourceFolder, "");
}

TEST_F(EngineTest, OpenWithoutAppNameUsesTWSetupAndBindsEveryFolder)
{
    MakeSource(kMinimalScript, {});
    ASSERT_EQ(engine.Open((source + "Setup.inf").c_str(), source.c_str()), S_OK);
    EXPECT_STREQ(engine.applicationName, "TWSetup");
    EXPECT_STREQ(engine.applicationFolder, "C:\\Program Files\\TWSetup\\");
    EXPECT_STREQ(engine.logPath, "C:\\Program Files\\TWSetup\\_Install.log");
    EXPECT_EQ(std::string(engine.sourceFolder), source);
    EXPECT_TRUE(Exists("C:\\Program Files\\TWSetup"));
    // Written before anything is copied, without the final backslash.
    EXPECT_EQ(LogKeys(engine.logPath, "Directories"), std::vector<std::string>{"C:\\Program Files\\TWSetup"});
    EXPECT_EQ(LogValue(engine.logPath, "Directories", "C:\\Program Files\\TWSetup"), 0);

    EXPECT_EQ(TargetOf(engine.scriptHandle, "AnySection"), "C:\\Program Files\\TWSetup\\");
    EXPECT_EQ(TargetOf(engine.scriptHandle, "Common"), CommonFiles() + "Sub");
    EXPECT_EQ(TargetOf(engine.scriptHandle, "Menu"), ProgramsMenu());
}

TEST_F(EngineTest, OpenReadsAppNameThroughStringsAndKeepsSourceFolderWhenNull)
{
    MakeSource(std::string(kMinimalScript) + "[Setup.Data]\r\nAppName = %Name%\r\n[Strings]\r\nName=\"Chimebox\"\r\n",
               {});
    lstrcpyA(engine.sourceFolder, "C:\\kept\\");
    ASSERT_EQ(engine.Open((source + "Setup.inf").c_str(), nullptr), S_OK);
    EXPECT_STREQ(engine.applicationName, "Chimebox");
    EXPECT_STREQ(engine.applicationFolder, "C:\\Program Files\\Chimebox\\");
    EXPECT_STREQ(engine.sourceFolder, "C:\\kept\\");
}

TEST_F(EngineTest, CloseAsksForRestartOnlyWhenAFileOperationWasDeferred)
{
    engine.Close();
    EXPECT_TRUE(catcher.Caught().empty());

    InstallEngine deferred;
    deferred.restartNeeded = true;
    catcher.Answer(IDNO);
    deferred.Close();
    ASSERT_EQ(catcher.Caught().size(), 1u);
    const CaughtDialog &box = catcher.Caught()[0];
    EXPECT_EQ(box.caption, "System Settings Change");
    EXPECT_EQ(box.text, "You must restart your computer before the new settings will take effect.\r\n\r\n"
                        "Do you want to restart your computer now?");
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    // The teardown asks once, however often it runs.
    deferred.Close();
    EXPECT_EQ(catcher.Caught().size(), 1u);
}
