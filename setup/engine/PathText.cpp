#include "PathText.h"

#include "InstallEngine.h"

void AppendToPath(char *path, const char *text)
{
    int used = lstrlenA(path);
    if (used < ENGINE_PATH_SIZE - 1)
        lstrcpynA(path + used, text, ENGINE_PATH_SIZE - used);
}

void EnsureFinalBackslash(char *path)
{
    int length = lstrlenA(path);
    if (length == 0 || path[length - 1] != '\\')
        AppendToPath(path, "\\");
}

void CutFinalBackslash(char *path)
{
    int length = lstrlenA(path);
    if (length > 0 && path[length - 1] == '\\')
        path[length - 1] = '\0';
}

const char *FileNamePart(const char *path)
{
    const char *name = path;
    for (const char *p = path; *p; ++p)
        if (*p == '\\')
            name = p + 1;
    return name;
}

char *CutFileName(char *path)
{
    char *name = const_cast<char *>(FileNamePart(path));
    if (name == path)
        return nullptr;
    name[-1] = '\0';
    return name;
}
