#include "FolderTree.h"

#include "TextBuffer.h"

namespace {

bool IsDotEntry(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

void DeleteFolderTree(char (&folder)[MAX_PATH])
{
    size_t length = TextLength(folder);
    if (!AppendText(folder, sizeof folder, "\\*.*"))
        return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(folder, &entry);
    folder[length] = '\0';
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsDotEntry(entry.cFileName))
            continue;
        if (AppendText(folder, sizeof folder, "\\") && AppendText(folder, sizeof folder, entry.cFileName)) {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolderTree(folder);
            else
                DeleteFileA(folder);
        }
        folder[length] = '\0';
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    RemoveDirectoryA(folder);
}
