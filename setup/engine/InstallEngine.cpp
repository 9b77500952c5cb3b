// Construction, opening of the script and teardown of the engine.
#include "InstallEngine.h"

#include "PathText.h"

#include <shlobj.h>

InstallEngine installEngine;

InstallEngine::InstallEngine()
    : scriptHandle(INVALID_HANDLE_VALUE), fileQueue(INVALID_HANDLE_VALUE),
      defaultCallbackContext(nullptr), ownerWindow(reinterpret_cast<HWND>(INVALID_HANDLE_VALUE)),
      progressWindow(reinterpret_cast<HWND>(INVALID_HANDLE_VALUE)), sourceFolder(), logPath(),
      applicationFolder(), applicationName("TWSetup"), doneEvent(nullptr), progressMessage(0),
      restartNeeded(false), hadErrors(false)
{
}

InstallEngine::~InstallEngine()
{
    Close();
}

HRESULT InstallEngine::Open(const char *scriptPath, const char *sourceFolderOrNull)
{
    scriptHandle = SetupOpenInfFileA(scriptPath, nullptr, INF_STYLE_WIN4, nullptr);
    if (scriptHandle == INVALID_HANDLE_VALUE)
        return E_FAIL;
    SetupGetLineTextA(nullptr, scriptHandle, "Setup.Data", "AppName", applicationName,
                      sizeof applicationName, nullptr);
    if (OpenQueue() != S_OK)
        return E_FAIL;
    if (sourceFolderOrNull)
        lstrcpynA(sourceFolder, sourceFolderOrNull, sizeof sourceFolder);

    char folder[ENGINE_PATH_SIZE];
    ProgramFilesFolder(folder);
    AppendToPath(folder, applicationName);
    AppendToPath(folder, "\\");
    SetApplicationFolder(folder);
    EnsureDirectory(folder);

    lstrcpynA(logPath, applicationFolder, sizeof logPath);
    AppendToPath(logPath, "_Install.log");
    // The folder's own name, without the backslash, is what the uninstall
    // run removes last.
    char key[ENGINE_PATH_SIZE];
    lstrcpynA(key, applicationFolder, sizeof key);
    CutFinalBackslash(key);
    LogNumber("Directories", key, 0);

    CommonFilesFolder(folder);
    SetupSetDirectoryIdA(scriptHandle, DIRID_COMMON_FILES, folder);
    ResolveFolder(CSIDL_COMMON_PROGRAMS, folder);
    SetupSetDirectoryIdA(scriptHandle, DIRID_PROGRAMS_MENU, folder);
    return S_OK;
}

void InstallEngine::Close()
{
    if (closed_)
        return;
    closed_ = true;
    DetachProgressWindow();
    if (fileQueue != INVALID_HANDLE_VALUE) {
        SetupCloseFileQueue(fileQueue);
        fileQueue = INVALID_HANDLE_VALUE;
    }
    if (scriptHandle != INVALID_HANDLE_VALUE) {
        SetupCloseInfFile(scriptHandle);
        scriptHandle = INVALID_HANDLE_VALUE;
    }
    if (restartNeeded &&
        MessageBoxA(nullptr,
                    "You must restart your computer before the new settings will take effect."
                    "\r\n\r\nDo you want to restart your computer now?",
                    "System Settings Change", MB_ICONQUESTION | MB_YESNO) == IDYES)
        ExitWindowsEx(EWX_REBOOT, 0);
}
