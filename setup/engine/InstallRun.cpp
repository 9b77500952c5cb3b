// The whole installation, run on the wizard's install worker thread.
#include "InstallEngine.h"

#include "PathText.h"
#include "SetupWarning.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

void SetStringValue(HKEY key, const char *name, const char *text)
{
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                   static_cast<DWORD>(lstrlenA(text) + 1));
}

} // namespace

int InstallEngine::RunInstall()
{
    const char *failure = nullptr;
    if (!QueueCopyFiles())
        failure = "Error intializing installer.";
    else if (!CommitQueue())
        failure = "Error copying files.";
    if (failure) {
        ShowSetupWarning(ownerWindow, failure);
        hadErrors = true;
        Post(PROGRESS_FINISHED);
        return 0;
    }

    if (restartNeeded) {
        // The files to register may not be in place before the restart.
        ScheduleRegistration();
        Post(PROGRESS_FINISHED);
    } else {
        Post(PROGRESS_CONFIGURING);
        RegisterComponents();
    }

    char self[ENGINE_PATH_SIZE];
    DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    char uninstaller[ENGINE_PATH_SIZE];
    lstrcpynA(uninstaller, applicationFolder, sizeof uninstaller);
    AppendToPath(uninstaller, "_Unins.exe");
    if (length > 0 && length < sizeof self && CopyFileA(self, uninstaller, FALSE))
        LogNumber("Installed", uninstaller, 0);

    WritePrivateProfileStringA("Setup", "AppName", applicationName, logPath);

    char keyName[sizeof kUninstallKey + ENGINE_NAME_SIZE];
    lstrcpyA(keyName, kUninstallKey);
    lstrcatA(keyName, applicationName);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        SetStringValue(key, "DisplayName", applicationName);
        // Quoted, as the run-once command: a blank in the path must not let
        // the system start another program.
        char command[ENGINE_PATH_SIZE + 2];
        lstrcpyA(command, "\"");
        lstrcatA(command, uninstaller);
        lstrcatA(command, "\"");
        SetStringValue(key, "UninstallString", command);
    } else {
        key = nullptr;
    }

    CreateShortcuts();

    if (key)
        RegCloseKey(key);
    return 1;
}
