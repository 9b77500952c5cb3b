// The file queue, its notification handler and the progress window.
#include "InstallEngine.h"

#include "PathText.h"

namespace {

// The Setup API's callback; the context is the engine.
UINT CALLBACK QueueCallback(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2)
{
    return static_cast<InstallEngine *>(context)->OnQueueNotification(notification, param1, param2);
}

const HWND kNoWindow = reinterpret_cast<HWND>(INVALID_HANDLE_VALUE);

// The range and step messages of the default callback's protocol.
constexpr WPARAM kProgressRange = 0;
constexpr WPARAM kProgressStep = 1;

bool Exists(const char *path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool InUse(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_USER_MAPPED_FILE;
}

// Puts the source beside a target that is in use and has the system
// replace the target with it at the next start, as Windows's Setup API does
// itself (Wine's reports a copy error instead).
bool ReplaceAtRestart(const char *source, const char *target)
{
    char folder[ENGINE_PATH_SIZE];
    lstrcpynA(folder, target, sizeof folder);
    if (!CutFileName(folder))
        return false;
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder, "TWS", 0, temporary))
        return false;
    if (CopyFileA(source, temporary, FALSE) &&
        MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT))
        return true;
    DeleteFileA(temporary);
    return false;
}

} // namespace

void InstallEngine::AttachProgressWindow(HWND window, UINT message)
{
    DetachProgressWindow();
    progressWindow = window;
    progressMessage = message;
    if (window == kNoWindow)
        return;
    // The engine sends the range and the steps itself, since not every
    // Setup API sends them (Wine's sends none); the platform's handler gets
    // no progress window, so that Windows does not send them a second time.
    defaultCallbackContext = SetupInitDefaultQueueCallbackEx(window, kNoWindow, 0, 0, nullptr);
}

void InstallEngine::DetachProgressWindow()
{
    if (defaultCallbackContext)
        SetupTermDefaultQueueCallback(defaultCallbackContext);
    defaultCallbackContext = nullptr;
    progressWindow = kNoWindow;
}

HRESULT InstallEngine::OpenQueue()
{
    fileQueue = SetupOpenFileQueue();
    return fileQueue == INVALID_HANDLE_VALUE ? E_FAIL : S_OK;
}

int InstallEngine::QueueCopyFiles()
{
    INFCONTEXT line;
    if (!SetupFindFirstLineA(scriptHandle, "DefaultInstall", "CopyFiles", &line))
        return 1;
    do {
        DWORD fields = SetupGetFieldCount(&line);
        for (DWORD field = 1; field <= fields; ++field) {
            char section[ENGINE_NAME_SIZE];
            if (!SetupGetStringFieldA(&line, field, section, sizeof section, nullptr))
                return 0;
            if (!SetupQueueCopySectionA(fileQueue, sourceFolder, scriptHandle, nullptr, section, SP_COPY_NOSKIP))
                return 0;
        }
    } while (SetupFindNextMatchLineA(&line, "CopyFiles", &line));
    return 1;
}

int InstallEngine::CommitQueue()
{
    // The engine's all-bits-set default is no window to own the platform's
    // dialogs.
    HWND owner = IsWindow(ownerWindow) ? ownerWindow : nullptr;
    // Without an attached window the platform's handler still needs a
    // context of its own for the commit.
    bool ownContext = defaultCallbackContext == nullptr;
    if (ownContext)
        defaultCallbackContext = SetupInitDefaultQueueCallbackEx(owner, kNoWindow, 0, 0, nullptr);
    BOOL committed = SetupCommitFileQueueA(owner, fileQueue, QueueCallback, this);
    if (ownContext) {
        SetupTermDefaultQueueCallback(defaultCallbackContext);
        defaultCallbackContext = nullptr;
    }
    return committed ? 1 : 0;
}

UINT InstallEngine::OnQueueNotification(UINT notification, UINT_PTR param1, UINT_PTR param2)
{
    const auto *paths = reinterpret_cast<const FILEPATHS_A *>(param1);
    switch (notification) {
    case SPFILENOTIFY_STARTCOPY:
    case SPFILENOTIFY_STARTDELETE:
    case SPFILENOTIFY_STARTRENAME:
        stepPending_ = true;
        break;
    case SPFILENOTIFY_STARTSUBQUEUE:
        if (param2 > 0)
            SendProgress(kProgressRange, static_cast<LPARAM>(param2));
        break;
    case SPFILENOTIFY_NEEDMEDIA: {
        // A source file that is not there cannot be supplied by asking again
        // (Wine's handler would ask for ever): report it and end the commit.
        const auto *media = reinterpret_cast<const SOURCE_MEDIA_A *>(param1);
        char source[ENGINE_PATH_SIZE] = "";
        lstrcpynA(source, media->SourcePath ? media->SourcePath : "", sizeof source);
        EnsureFinalBackslash(source);
        AppendToPath(source, media->SourceFile ? media->SourceFile : "");
        if (!Exists(source)) {
            MessageBoxA(nullptr, source, "Copy error", MB_OK);
            SetLastError(ERROR_FILE_NOT_FOUND);
            return FILEOP_ABORT;
        }
        break;
    }
    case SPFILENOTIFY_DELETEERROR:
        MessageBoxA(nullptr, paths->Target, "Deleting", MB_OK);
        break;
    case SPFILENOTIFY_ENDCOPY:
        if (paths->Win32Error == 0)
            OnFileCopied(*paths);
        StepDone();
        break;
    case SPFILENOTIFY_ENDDELETE:
    case SPFILENOTIFY_ENDRENAME:
        StepDone();
        break;
    case SPFILENOTIFY_COPYERROR: {
        if (InUse(paths->Win32Error) && ReplaceAtRestart(paths->Source, paths->Target)) {
            restartNeeded = true;
            OnFileCopied(*paths);
            StepDone();
            return FILEOP_SKIP;
        }
        MessageBoxA(nullptr, paths->Source, "Copy error", MB_OK);
        UINT answer = SetupDefaultQueueCallbackA(defaultCallbackContext, notification, param1, param2);
        // Every file is queued with SP_COPY_NOSKIP, so skipping is no answer
        // (Windows does not offer it; Wine's handler gives it unasked).
        if (answer == FILEOP_SKIP) {
            SetLastError(paths->Win32Error ? paths->Win32Error : ERROR_GEN_FAILURE);
            return FILEOP_ABORT;
        }
        return answer;
    }
    case SPFILENOTIFY_FILEOPDELAYED:
        restartNeeded = true;
        break;
    default:
        break;
    }
    return SetupDefaultQueueCallbackA(defaultCallbackContext, notification, param1, param2);
}

void InstallEngine::SendProgress(WPARAM what, LPARAM count) const
{
    if (IsWindow(progressWindow))
        SendMessageA(progressWindow, progressMessage, what, count);
}

// One step per file, however many end notifications the platform sends
// for it (Wine's sends one more after a skipped copy, for instance).
void InstallEngine::StepDone()
{
    if (stepPending_)
        SendProgress(kProgressStep, 0);
    stepPending_ = false;
}

void InstallEngine::Post(WPARAM what) const
{
    if (IsWindow(progressWindow))
        PostMessageA(progressWindow, progressMessage, what, 0);
}

void InstallEngine::OnFileCopied(const FILEPATHS_A &paths)
{
    int flags = (NeedsRegistration(paths.Source) ? LOG_REGISTER : 0) | (IsShared(paths.Source) ? LOG_SHARED : 0);
    int logged = LogFlags("Installed", paths.Target);
    // A file an earlier install into this folder counted keeps that one
    // reference.
    if ((flags & LOG_SHARED) && !(logged & LOG_SHARED) && UpdateSharedCount(paths.Target, true) < 0)
        flags &= ~LOG_SHARED;
    LogNumber("Installed", paths.Target, flags);

    char folder[ENGINE_PATH_SIZE];
    lstrcpynA(folder, paths.Target, sizeof folder);
    if (CutFileName(folder))
        LogNumber("Directories", folder, 0);
}
