#include "CabinetExtraction.h"

#include <setupapi.h>

#include "CabinetName.h"
#include "FolderTree.h"
#include "ParentFolders.h"
#include "TextBuffer.h"

namespace {

struct ExtractionContext {
    const char* folder;
    DWORD declaredSize;  // of the file being extracted, as the cabinet says
    DWORD error;         // the first failure the callback decided on
};

UINT Fail(ExtractionContext& context, DWORD error)
{
    if (context.error == ERROR_SUCCESS)
        context.error = error;
    return error;
}

bool HasFileSize(const char* path, DWORD size)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return found.nFileSizeHigh == 0 && found.nFileSizeLow == size;
}

UINT TargetFile(ExtractionContext& context, FILE_IN_CABINET_INFO_A& file)
{
    DWORD error = ERROR_INVALID_DATA;
    if (IsSafeCabinetName(file.NameInCabinet)) {
        error = ERROR_FILENAME_EXCED_RANGE;
        if (CopyText(file.FullTargetName, sizeof file.FullTargetName, context.folder) &&
            AppendText(file.FullTargetName, sizeof file.FullTargetName, "\\") &&
            AppendText(file.FullTargetName, sizeof file.FullTargetName, file.NameInCabinet)) {
            context.declaredSize = file.FileSize;
            CreateParentFolders(file.FullTargetName);
            return FILEOP_DOIT;
        }
    }
    file.Win32Error = Fail(context, error);
    return FILEOP_ABORT;
}

// The platform's extraction can report a truncated file as extracted without
// an error: the size it declared is checked as well.
UINT FileExtracted(ExtractionContext& context, const FILEPATHS_A& paths)
{
    DWORD error = paths.Win32Error;
    if (error == ERROR_SUCCESS && !HasFileSize(paths.Target, context.declaredSize))
        error = ERROR_INVALID_DATA;
    return error == ERROR_SUCCESS ? NO_ERROR : Fail(context, error);
}

UINT CALLBACK CabinetCallback(PVOID contextPointer, UINT notification, UINT_PTR parameter1, UINT_PTR)
{
    ExtractionContext& context = *static_cast<ExtractionContext*>(contextPointer);
    switch (notification) {
    case SPFILENOTIFY_FILEINCABINET:
        return TargetFile(context, *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(parameter1));
    case SPFILENOTIFY_NEEDNEWCABINET:
        return Fail(context, ERROR_INVALID_PARAMETER);
    case SPFILENOTIFY_FILEEXTRACTED:
        return FileExtracted(context, *reinterpret_cast<const FILEPATHS_A*>(parameter1));
    default:
        return NO_ERROR;
    }
}

}  // namespace

DWORD ExtractCabinet(const char* cabinetPath, const char* tempFolder, char (&folder)[MAX_PATH])
{
    DWORD error = ERROR_SUCCESS;
    if (GetTempFileNameA(tempFolder, "~ca", 0, folder) == 0) {
        error = GetLastError();
    } else {
        DeleteFileA(folder);
        if (!CreateDirectoryA(folder, nullptr)) {
            error = GetLastError();
        } else {
            ExtractionContext context = {folder, 0, ERROR_SUCCESS};
            BOOL iterated = SetupIterateCabinetA(cabinetPath, 0, CabinetCallback, &context);
            error = context.error;
            if (!iterated && error == ERROR_SUCCESS)
                error = GetLastError();
            // A damaged cabinet can fail the iteration without any code.
            if (!iterated && error == ERROR_SUCCESS)
                error = ERROR_INVALID_DATA;
            if (error != ERROR_SUCCESS)
                DeleteFolderTree(folder);
        }
    }
    DeleteFileA(cabinetPath);
    return error;
}
