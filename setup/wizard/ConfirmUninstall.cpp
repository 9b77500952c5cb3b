#include "ConfirmUninstall.h"

#include "InstallEngine.h"
#include "PathText.h"
#include "SetupWarning.h"

#include <windows.h>

namespace {

// GetTempFileNameA writes the number as four hexadecimal digits at most.
constexpr UINT LAST_TEMPORARY_NUMBER = 0xFFFF;

int ReportFailure()
{
    ShowSetupWarning(nullptr, "Error initialising uninstaller");
    return -1;
}

bool StartRemoval(const char *copy, const char *programPath)
{
    // The copy's path is quoted: a temporary folder with a blank in its
    // name must not be taken apart by CreateProcess.
    char commandLine[ENGINE_PATH_SIZE + 8];
    lstrcpyA(commandLine, "\"");
    lstrcatA(commandLine, copy);
    lstrcatA(commandLine, "\" /C");

    // Started in the program's own folder, the copy finds the log there.
    char folder[ENGINE_PATH_SIZE];
    lstrcpyA(folder, programPath);
    folder[FileNamePart(folder) - folder] = '\0';
    CutFinalBackslash(folder);
    if (folder[0] && folder[lstrlenA(folder) - 1] == ':')
        lstrcatA(folder, "\\");

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder[0] ? folder : nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

bool FindFreeTemporaryName(char *name)
{
    for (UINT number = 1; number <= LAST_TEMPORARY_NUMBER; ++number) {
        char folder[ENGINE_PATH_SIZE];
        DWORD length = GetTempPathA(ENGINE_PATH_SIZE, folder);
        if (length == 0 || length >= ENGINE_PATH_SIZE)
            return false;
        if (!GetTempFileNameA(folder, "TWU", number, name))
            return false;
        if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES)
            return true;
    }
    return false;
}

int ConfirmUninstall(const char *logPath)
{
    char name[ENGINE_PATH_SIZE];
    GetPrivateProfileStringA("Setup", "AppName", "the application", name, sizeof name, logPath);
    char question[ENGINE_PATH_SIZE + 64];
    wsprintfA(question, "Are you sure you would like to remove %s from your system?", name);
    if (MessageBoxA(nullptr, question, "Setup", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return 0;

    char program[ENGINE_PATH_SIZE];
    DWORD length = GetModuleFileNameA(nullptr, program, ENGINE_PATH_SIZE);
    if (length == 0 || length >= ENGINE_PATH_SIZE)
        return ReportFailure();
    char copy[ENGINE_PATH_SIZE];
    if (!FindFreeTemporaryName(copy) || !CopyFileA(program, copy, TRUE) || !StartRemoval(copy, program))
        return ReportFailure();
    return 0;
}
