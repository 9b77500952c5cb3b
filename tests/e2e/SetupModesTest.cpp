// Setup's other ways through, as a person or the system starts them: Cancel
// on the welcome page, the configure and remove modes, and an install whose
// component cannot be registered.
#include "WindowDriver.h"
#include "WizardTestFiles.h"
#include "WizardWalk.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

const std::string kBin = BIN_FOLDER;
const char kDeviceManagerKey[] = "CLSID\\{F38CF92D-30A6-4542-A747-CFC5E5AC74A3}\\LocalServer32";

std::string Quoted(const std::string &path)
{
    return "\"" + path + "\"";
}

TEST(SetupModes, CancelOnTheWelcomePageEndsWithZeroAndCopiesNothing)
{
    HANDLE package = StartProgram(Quoted(PACKAGE_PATH));
    ASSERT_NE(package, nullptr);
    HWND wizard = WaitForDialog("Chimebox Setup", 60000);
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(WaitFor([&] { return CanPress(wizard, IDCANCEL); }, 10000));
    EXPECT_TRUE(Press(wizard, IDCANCEL));
    EXPECT_EQ(WaitForExit(package, 60000), 0);
    CloseHandle(package);
    EXPECT_FALSE(PathExists("C:\\Program Files\\Chimebox\\TWChimebox.exe"));
    EXPECT_FALSE(PathExists("C:\\Program Files\\Common Files\\Tonewright\\TWMPC.exe"));
}

TEST(SetupModes, ConfigureWithALogPathRegistersTheLoggedComponent)
{
    TempFolder temp;
    const std::string &folder = temp.Path();
    std::string server = folder + "TWMPC.exe";
    ASSERT_TRUE(CopyFileA((kBin + "TWMPC.exe").c_str(), server.c_str(), FALSE));
    std::string log = folder + "_Install.log";
    WritePrivateProfileStringA("Setup", "AppName", "Configured", log.c_str());
    WritePrivateProfileStringA("Installed", server.c_str(), "1", log.c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kDeviceManagerKey);

    HANDLE setup = StartProgram(Quoted(kBin + "Setup.exe") + " /P " + log);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(WaitForExit(setup, 60000), 0);
    CloseHandle(setup);
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, kDeviceManagerKey, value, &size), ERROR_SUCCESS);
    EXPECT_NE(std::string(value).find(server), std::string::npos) << value;
}

TEST(SetupModes, RemoveAndConfigureWithoutALogSaySo)
{
    // No log in the current folder, none beside the program.
    struct Mode {
        const char *switchText;
        int exitCode;
    };
    for (Mode mode : {Mode{" /C", 0}, Mode{" /P", 1}}) {
        HANDLE setup = StartProgram(Quoted(kBin + "Setup.exe") + mode.switchText);
        ASSERT_NE(setup, nullptr);
        HWND box = WaitForDialog(kBin + "_Install.log", 30000);
        ASSERT_NE(box, nullptr) << mode.switchText;
        EXPECT_EQ(ControlTextOf(box, 0xFFFF), "Error opening setup log");
        EXPECT_TRUE(Press(box, IDOK));
        EXPECT_EQ(WaitForExit(setup, 30000), mode.exitCode) << mode.switchText;
        CloseHandle(setup);
    }
}

TEST(SetupModes, AComponentThatFailsToRegisterLeadsToTheErrorText)
{
    TempFolder temp;
    const std::string &folder = temp.Path();
    ASSERT_TRUE(CopyFileA((kBin + "Setup.exe").c_str(), (folder + "Setup.exe").c_str(), FALSE));
    WriteTextFile(folder + "Broken.dll", "not a library");
    WriteTextFile(folder + "License.txt", "A licence.");
    WriteTextFile(folder + "Setup.inf",
              "[Version]\r\nSignature=\"$Chicago$\"\r\n"
              "[DefaultInstall]\r\nCopyFiles = MainFiles\r\n"
              "[SourceDisksNames]\r\n1 = \"Fixture media\",,,\r\n"
              "[DestinationDirs]\r\nDefaultDestDir = 49000\r\n"
              "[MainFiles]\r\nBroken.dll\r\n"
              "[Broken.dll]\r\nRegisterServer = yes\r\n"
              "[Setup.Data]\r\nAppName = Broken\r\n");

    // The registration's message is answered when it comes.
    std::string message;
    std::thread answer([&] {
        HWND box = WaitForDialog("Setup", 60000);
        if (box) {
            message = ControlTextOf(box, 0xFFFF);
            Press(box, IDOK);
        }
    });
    WalkResult walk = WalkInstallWizard(Quoted(folder + "Setup.exe"), "Broken Setup", "");
    answer.join();
    ASSERT_TRUE(walk.walked) << walk.failure;
    EXPECT_EQ(message, "Error 0x80004005 registering Broken.dll on system.");
    EXPECT_EQ(walk.completionText,
              "Setup encoutered errors during the installation.\r\n\r\nPlease check that you have the correct "
              "privileges on your system then restart your PC and try the reinstall again.\r\n\r\nTo close this "
              "wizard, click Finish.");
    EXPECT_EQ(walk.exitCode, 0);
}

} // namespace
