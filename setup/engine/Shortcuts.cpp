// The Start-menu shortcuts the script lists, written through the shell's
// link object.
#include "InstallEngine.h"

#include "ComPtr.h"
#include "PathText.h"

#include <shlobj.h>

namespace {

// One line of a shortcut section: name, an ignored field, target file name
// and icon index.
struct ShortcutLine {
    char name[ENGINE_NAME_SIZE];
    char target[ENGINE_PATH_SIZE];
    int iconIndex;
};

bool ReadShortcutLine(INFCONTEXT &line, ShortcutLine &shortcut)
{
    // An empty field is as good as a missing one: it would name a link
    // ".lnk" or point it at the folder.
    if (!SetupGetStringFieldA(&line, 1, shortcut.name, sizeof shortcut.name, nullptr) || !shortcut.name[0] ||
        !SetupGetStringFieldA(&line, 3, shortcut.target, sizeof shortcut.target, nullptr) || !shortcut.target[0])
        return false;
    INT icon = 0;
    shortcut.iconIndex = SetupGetIntField(&line, 4, &icon) ? icon : 0;
    return true;
}

} // namespace

int InstallEngine::CreateShortcuts()
{
    INFCONTEXT line;
    if (!SetupFindFirstLineA(scriptHandle, "DefaultInstall", "SetupShortcuts", &line))
        return 1;
    do {
        DWORD fields = SetupGetFieldCount(&line);
        for (DWORD field = 1; field <= fields; ++field) {
            char section[ENGINE_NAME_SIZE];
            char folder[ENGINE_PATH_SIZE];
            if (!SetupGetStringFieldA(&line, field, section, sizeof section, nullptr) ||
                !SetupGetTargetPathA(scriptHandle, nullptr, section, folder, sizeof folder, nullptr) ||
                !EnsureDirectory(folder))
                continue;
            CutFinalBackslash(folder);
            LogNumber("Directories", folder, 0);

            INFCONTEXT entry;
            if (!SetupFindFirstLineA(scriptHandle, section, nullptr, &entry))
                continue;
            do {
                ShortcutLine shortcut;
                char targetFolder[ENGINE_PATH_SIZE];
                if (!ReadShortcutLine(entry, shortcut) ||
                    !SetupGetTargetPathA(scriptHandle, nullptr, shortcut.target, targetFolder, sizeof targetFolder,
                                         nullptr))
                    continue;
                char linkPath[ENGINE_PATH_SIZE];
                lstrcpynA(linkPath, folder, sizeof linkPath);
                AppendToPath(linkPath, "\\");
                AppendToPath(linkPath, shortcut.name);
                AppendToPath(linkPath, ".lnk");
                char targetPath[ENGINE_PATH_SIZE];
                lstrcpynA(targetPath, targetFolder, sizeof targetPath);
                EnsureFinalBackslash(targetPath);
                AppendToPath(targetPath, shortcut.target);
                if (CreateShellLink(targetPath, linkPath, shortcut.iconIndex))
                    LogNumber("Installed", linkPath, 0);
            } while (SetupFindNextLine(&entry, &entry));
        }
    } while (SetupFindNextMatchLineA(&line, "SetupShortcuts", &line));
    return 1;
}

bool InstallEngine::CreateShellLink(const char *targetPath, const char *linkPath, int iconIndex)
{
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                IID_IShellLinkA, reinterpret_cast<void **>(link.Receive()))))
        return false;
    link->SetPath(targetPath);
    if (iconIndex != 0)
        link->SetIconLocation(targetPath, iconIndex);
    ComPtr<IPersistFile> file;
    if (FAILED(link.As(IID_IPersistFile, file)))
        return false;
    WCHAR widePath[ENGINE_PATH_SIZE];
    if (!MultiByteToWideChar(CP_THREAD_ACP, 0, linkPath, -1, widePath, ENGINE_PATH_SIZE))
        return false;
    return SUCCEEDED(file->Save(widePath, TRUE));
}
