#include "DataFolder.h"

#include <windows.h>
#include <shlobj.h>

std::string ComponentDataFolder()
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::string();
    std::string folder = std::string(path) + "\\TWMPC";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ComponentDataFile(const char *name)
{
    std::string folder = ComponentDataFolder();
    if (folder.empty())
        return folder;
    return folder + "\\" + name;
}
