#include "FindSetupLog.h"

#include "InstallEngine.h"
#include "PathText.h"

#include <windows.h>

namespace {

bool Exists(const char *path)
{
    return path[0] && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

bool FindSetupLog(char *path)
{
    if (Exists(path))
        return true;

    DWORD length = GetCurrentDirectoryA(ENGINE_PATH_SIZE, path);
    if (length == 0 || length >= ENGINE_PATH_SIZE)
        path[0] = '\0';
    AppendToPath(path, "\\_Install.log");
    if (Exists(path))
        return true;

    length = GetModuleFileNameA(nullptr, path, ENGINE_PATH_SIZE);
    if (length == 0 || length >= ENGINE_PATH_SIZE)
        path[0] = '\0';
    const char *name = FileNamePart(path);
    path[name - path] = '\0';
    AppendToPath(path, "_Install.log");
    return Exists(path);
}
