// The folders the script's directory ids stand for.
#include "InstallEngine.h"

#include "PathText.h"

#include <shlobj.h>

namespace {

const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Reads a REG_SZ value of the CurrentVersion key into a path buffer; leaves
// the buffer as it was when the key or the value is missing, empty (which
// would make the root of the current drive the folder) or no string.
void ReadCurrentVersionPath(const char *name, char *buffer)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    char value[ENGINE_PATH_SIZE];
    DWORD type = 0;
    DWORD size = sizeof value - 1;
    // A value need not end in a NUL, nor fit: read it into a spare buffer
    // and terminate it before it replaces the default.
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(value), &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        value[size] = '\0';
        if (value[0])
            lstrcpynA(buffer, value, ENGINE_PATH_SIZE);
    }
    RegCloseKey(key);
}

} // namespace

void InstallEngine::ProgramFilesFolder(char *buffer)
{
    lstrcpyA(buffer, "C:\\Program Files\\");
    ReadCurrentVersionPath("ProgramFilesDir", buffer);
    EnsureFinalBackslash(buffer);
}

void InstallEngine::CommonFilesFolder(char *buffer)
{
    buffer[0] = '\0';
    ReadCurrentVersionPath("CommonFilesDir", buffer);
    if (buffer[0] == '\0') {
        ProgramFilesFolder(buffer);
        AppendToPath(buffer, "Common Files\\");
    }
    EnsureFinalBackslash(buffer);
}

bool InstallEngine::ResolveFolder(int csidl, char *buffer)
{
    if (csidl == CSIDL_PROGRAM_FILES) {
        ProgramFilesFolder(buffer);
        return true;
    }
    if (csidl == CSIDL_PROGRAM_FILES_COMMON) {
        CommonFilesFolder(buffer);
        return true;
    }
    // The Windows 95 family has no all-users Start menu.
    if (csidl == CSIDL_COMMON_PROGRAMS && (GetVersion() & 0x80000000u))
        csidl = CSIDL_PROGRAMS;

    IMalloc *allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)))
        return false;
    bool converted = false;
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &items))) {
        char path[MAX_PATH];
        converted = SHGetPathFromIDListA(items, path) != FALSE;
        allocator->Free(items);
        if (converted) {
            lstrcpynA(buffer, path, ENGINE_PATH_SIZE);
            EnsureFinalBackslash(buffer);
        }
    }
    allocator->Release();
    return converted;
}

void InstallEngine::SetApplicationFolder(const char *folder)
{
    lstrcpynA(applicationFolder, folder, sizeof applicationFolder);
    SetupSetDirectoryIdA(scriptHandle, DIRID_APPLICATION, applicationFolder);
}

bool InstallEngine::EnsureDirectory(const char *folder)
{
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return CreateDirectoryA(folder, nullptr) != FALSE;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
