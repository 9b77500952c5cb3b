// Removal of an installation from its install log, run on the uninstall
// worker thread.
#include "InstallEngine.h"

#include "InstallLog.h"
#include "PathText.h"

namespace {

// Deletes a value or a sub-key named after the application under one of
// the system's CurrentVersion keys; a missing one is no error.
void RemoveRegistryItem(const char *keyName, const char *name, bool subKey)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    if (subKey)
        RegDeleteKeyA(key, name);
    else
        RegDeleteValueA(key, name);
    RegCloseKey(key);
}

// Queues a file's deletion as folder and name: Wine's Setup API appends a
// backslash to a full path given alone and then cannot delete the file.
void QueueDeleteOf(HSPFILEQ queue, const char *path)
{
    char folder[ENGINE_PATH_SIZE];
    lstrcpynA(folder, path, sizeof folder);
    const char *name = CutFileName(folder);
    SetupQueueDeleteA(queue, name ? folder : path, name);
}

} // namespace

int InstallEngine::RunUninstall()
{
    ReadLoggedApplicationName();

    LogKeyList keys;
    if (!keys.Valid()) {
        Post(PROGRESS_FINISHED);
        return 0;
    }
    keys.Read(logPath, "Installed");

    // Newest entry first: shortcuts and the uninstaller copy before the
    // program files, the shared components last.
    for (const char *path = keys.Last(); path; path = keys.Previous(path)) {
        int flags = LogFlags("Installed", path);
        bool keep = (flags & LOG_SHARED) && UpdateSharedCount(path, false) != 0;
        if (!keep) {
            if (flags & LOG_REGISTER) {
                HRESULT result = RegisterServerFile(path, false);
                if (FAILED(result))
                    ReportRegistrationFailure(result, path);
            }
            QueueDeleteOf(fileQueue, path);
        }
    }
    CommitQueue();

    // The process must hold none of the installation's folders open.
    SetCurrentDirectoryA("C:\\");
    keys.Read(logPath, "Directories");
    DeleteFileA(logPath);
    Sleep(500);
    for (const char *folder = keys.First(); folder; folder = keys.Next(folder))
        RemoveDirectoryA(folder);

    RemoveRegistryItem("Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", applicationName, false);
    RemoveRegistryItem("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", applicationName, true);
    Post(PROGRESS_FINISHED);
    return 1;
}
