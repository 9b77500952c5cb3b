// The install engine: the one process-wide object of Setup that opens the
// setup script, copies its files through a Setup API file queue while it
// keeps the install log, registers the components, makes the shortcuts and
// removes an installation again from its log.
#pragma once

#include <windows.h>
#include <setupapi.h>

// wParam values of the engine's own progress messages; the default queue
// callback's range and step messages use 0 and 1.
constexpr WPARAM PROGRESS_CONFIGURING = 0x8000;
constexpr WPARAM PROGRESS_FINISHED = 0x8001;

// Flags of an entry in the log's Installed section.
constexpr int LOG_REGISTER = 1;
constexpr int LOG_SHARED = 2;

// Directory ids the script's DestinationDirs refers to.
constexpr DWORD DIRID_APPLICATION = 49000;
constexpr DWORD DIRID_COMMON_FILES = 0x8000 + 0x2B;
constexpr DWORD DIRID_PROGRAMS_MENU = 0x8000 + 0x17;

constexpr int ENGINE_PATH_SIZE = 260;
constexpr int ENGINE_NAME_SIZE = 128;

class InstallEngine {
public:
    InstallEngine();
    // The teardown is Close, whatever the mode.
    ~InstallEngine();
    InstallEngine(const InstallEngine &) = delete;
    InstallEngine &operator=(const InstallEngine &) = delete;

    // Script, queue and the three target folders; 0 or E_FAIL.
    HRESULT Open(const char *scriptPath, const char *sourceFolderOrNull);
    // Detaches, closes queue and script, then asks for a restart when a file
    // operation was deferred. Later calls do nothing.
    void Close();

    // Folders, each written into a buffer of ENGINE_PATH_SIZE bytes and
    // ending in a backslash.
    static void ProgramFilesFolder(char *buffer);
    static void CommonFilesFolder(char *buffer);
    static bool ResolveFolder(int csidl, char *buffer);
    void SetApplicationFolder(const char *folder);
    static bool EnsureDirectory(const char *folder);

    // The window that receives the range and step messages (wParam 0 and 1)
    // and the engine's posted PROGRESS_* messages.
    void AttachProgressWindow(HWND window, UINT message);
    void DetachProgressWindow();

    // The file queue and its handler.
    HRESULT OpenQueue();
    int QueueCopyFiles();
    int CommitQueue();
    UINT OnQueueNotification(UINT notification, UINT_PTR param1, UINT_PTR param2);

    // The install log at logPath.
    void LogNumber(const char *section, const char *key, int number) const;
    int LogFlags(const char *section, const char *key) const;

    // What the script and the file's version block say about a file.
    bool IsShared(const char *path) const;
    bool NeedsRegistration(const char *path) const;
    // The system's shared-file counts: the new count, 0 when the file is no
    // longer counted, -1 when the counts cannot be opened or written.
    static int UpdateSharedCount(const char *path, bool add);

    // Registration of servers: the server's result read as an HRESULT.
    static HRESULT RegisterServerFile(const char *path, bool registering);
    int RegisterComponents();
    int ScheduleRegistration();

    int CreateShortcuts();
    static bool CreateShellLink(const char *targetPath, const char *linkPath, int iconIndex);

    // The runs, each on a worker thread of the wizard.
    int RunInstall();
    int RunUninstall();

    HINF scriptHandle;
    HSPFILEQ fileQueue;
    PVOID defaultCallbackContext;
    HWND ownerWindow;
    HWND progressWindow;
    char sourceFolder[ENGINE_PATH_SIZE];
    char logPath[ENGINE_PATH_SIZE];
    char applicationFolder[ENGINE_PATH_SIZE];
    char applicationName[ENGINE_NAME_SIZE];
    HANDLE doneEvent;
    UINT progressMessage;
    bool restartNeeded;
    bool hadErrors;

private:
    void Post(WPARAM what) const;
    // applicationName from the log's Setup section, kept when it has none.
    void ReadLoggedApplicationName();
    // "Error 0x... registering <name> on system." in the Setup box.
    void ReportRegistrationFailure(HRESULT result, const char *name) const;
    void SendProgress(WPARAM what, LPARAM count) const;
    void StepDone();
    void OnFileCopied(const FILEPATHS_A &paths);

    bool closed_ = false;
    // The file the queue works on has not yet been counted as a step.
    bool stepPending_ = false;
};

// The engine that Setup's modes and wizard work on.
extern InstallEngine installEngine;
