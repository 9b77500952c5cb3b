// What the script, through the section named after a file, and the file's
// own version block say about an installed file.
#include "InstallEngine.h"

#include "PathText.h"

#include "HeapArray.h"

#include <strsafe.h>

namespace {

// A yes/no key of the file's section: 1 yes, 0 any other value, -1 no key.
int ReadYesKey(HINF script, const char *path, const char *key)
{
    char value[50];
    if (!SetupGetLineTextA(nullptr, script, FileNamePart(path), key, value, sizeof value, nullptr))
        return -1;
    return lstrcmpiA(value, "yes") == 0 ? 1 : 0;
}

// Whether the file's version block holds an "OleSelfRegister" string in its
// first translation. The whole block is read: a block cut short would leave
// its own lengths pointing past the buffer.
bool DeclaresSelfRegistration(const char *path)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return false;
    HeapArray<char> block;
    if (!block.Allocate(size) || !GetFileVersionInfoA(path, 0, size, block.Data()))
        return false;
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation *translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.Data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation),
                        &length) ||
        length < sizeof *translation)
        return false;
    char query[64];
    StringCchPrintfA(query, sizeof query, "\\StringFileInfo\\%04hX%04hX\\OleSelfRegister", translation->language,
             translation->codePage);
    void *value = nullptr;
    return VerQueryValueA(block.Data(), query, &value, &length) != FALSE;
}

} // namespace

bool InstallEngine::IsShared(const char *path) const
{
    return ReadYesKey(scriptHandle, path, "Shared") == 1;
}

bool InstallEngine::NeedsRegistration(const char *path) const
{
    int key = ReadYesKey(scriptHandle, path, "RegisterServer");
    if (key >= 0)
        return key == 1;
    return DeclaresSelfRegistration(path);
}
