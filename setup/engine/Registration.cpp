// Registration of the installed servers and the run-once entry that leaves
// it to the next start of the system.
#include "InstallEngine.h"

#include "InstallLog.h"
#include "PathText.h"
#include "SetupWarning.h"

#include <strsafe.h>

namespace {

typedef HRESULT(STDAPICALLTYPE *RegistrationEntry)();

constexpr DWORD kWaitStepMs = 500;
constexpr DWORD kGiveUpAfterMs = 8000;

HRESULT RunServerProgram(const char *path, bool registering)
{
    char commandLine[ENGINE_PATH_SIZE + 20];
    StringCchPrintfA(commandLine, sizeof commandLine, "\"%s\" %s", path, registering ? "/regserver" : "/unregserver");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return S_OK;
    DWORD waited = 0;
    while (WaitForMultipleObjects(1, &process.hProcess, FALSE, kWaitStepMs) == WAIT_TIMEOUT) {
        if (waited > kGiveUpAfterMs) {
            TerminateProcess(process.hProcess, static_cast<UINT>(E_FAIL));
            // Termination is asynchronous: the exit code is only there once
            // the process has gone.
            WaitForSingleObject(process.hProcess, INFINITE);
            break;
        }
        waited += kWaitStepMs;
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.hProcess, &exitCode))
        exitCode = 0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<HRESULT>(exitCode);
}

HRESULT CallLibraryEntry(const char *path, bool registering)
{
    HMODULE library = LoadLibraryA(path);
    if (!library)
        return E_FAIL;
    auto entry = reinterpret_cast<RegistrationEntry>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, registering ? "DllRegisterServer" : "DllUnregisterServer")));
    HRESULT result = entry ? entry() : E_FAIL;
    FreeLibrary(library);
    return result;
}

} // namespace

HRESULT InstallEngine::RegisterServerFile(const char *path, bool registering)
{
    const char *extension = nullptr;
    for (const char *p = path; *p; ++p)
        if (*p == '.')
            extension = p;
    if (!extension)
        return S_OK;
    if (lstrcmpiA(extension, ".exe") == 0)
        return RunServerProgram(path, registering);
    if (lstrcmpiA(extension, ".dll") == 0)
        return CallLibraryEntry(path, registering);
    return E_FAIL;
}

void InstallEngine::ReportRegistrationFailure(HRESULT result, const char *name) const
{
    char text[ENGINE_PATH_SIZE + 64];
    StringCchPrintfA(text, sizeof text, "Error 0x%08lx registering %s on system.", static_cast<unsigned long>(result), name);
    ShowSetupWarning(ownerWindow, text);
}

int InstallEngine::RegisterComponents()
{
    LogKeyList keys;
    if (!keys.Valid()) {
        Post(PROGRESS_FINISHED);
        return 0;
    }
    keys.Read(logPath, "Installed");
    for (const char *path = keys.First(); path; path = keys.Next(path)) {
        if (!(LogFlags("Installed", path) & LOG_REGISTER))
            continue;
        HRESULT result = RegisterServerFile(path, true);
        if (FAILED(result)) {
            ReportRegistrationFailure(result, FileNamePart(path));
            hadErrors = true;
        }
    }
    Post(PROGRESS_FINISHED);
    return 1;
}

int InstallEngine::ScheduleRegistration()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0,
                      KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return 0;
    // The program's path is quoted: unquoted, a blank in it would let the
    // system start a planted "C:\Program.exe" instead.
    char command[2 * ENGINE_PATH_SIZE + 32];
    StringCchPrintfA(command, sizeof command, "\"%s_Unins.exe\" /P %s", applicationFolder, logPath);
    ReadLoggedApplicationName();
    bool written = RegSetValueExA(key, applicationName, 0, REG_SZ, reinterpret_cast<const BYTE *>(command),
                                  static_cast<DWORD>(lstrlenA(command) + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written ? 1 : 0;
}
