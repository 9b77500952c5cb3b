#include "ParentFolders.h"

#include <windows.h>

#include "TextBuffer.h"

void CreateParentFolders(const char* filePath)
{
    char path[MAX_PATH];
    if (!CopyText(path, sizeof path, filePath))
        return;
    char* scan = path;
    while (*scan != '\0' && *scan != '\\')
        ++scan;
    if (*scan == '\0')
        return;
    for (++scan; *scan != '\0'; ++scan) {
        if (*scan != '\\')
            continue;
        *scan = '\0';
        if (!CreateDirectoryA(path, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return;
        *scan = '\\';
    }
}
