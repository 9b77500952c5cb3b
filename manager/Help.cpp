#include "Help.h"

#include <htmlhelp.h>

#include <cstring>

#include "HtmlHelpBinding.h"

namespace {

const char kHelpFile[] = "Chimebox.chm";
const char kTopicSeparator[] = "::/";

} // namespace

bool HelpFilePath(HMODULE module, const char *topic, char (&path)[MAX_PATH])
{
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    char *slash = std::strrchr(path, '\\');
    size_t folder = slash ? static_cast<size_t>(slash + 1 - path) : 0;
    size_t needed = folder + std::strlen(kHelpFile);
    if (topic)
        needed += std::strlen(kTopicSeparator) + std::strlen(topic);
    if (needed >= MAX_PATH)
        return false;
    std::strcpy(path + folder, kHelpFile);
    if (topic) {
        std::strcat(path, kTopicSeparator);
        std::strcat(path, topic);
    }
    return true;
}

bool ShowHelpFile(HWND owner, const char *path)
{
    bool shown = false;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        shown = BoundHtmlHelp(owner, path, HH_DISPLAY_TOPIC, 0) != nullptr;
    }
    if (!shown)
        MessageBoxA(owner, "Unable to access the help file.", "Help", MB_ICONWARNING | MB_OK);
    return shown;
}

bool ShowHelp(HWND owner, const char *topic)
{
    char path[MAX_PATH];
    if (!HelpFilePath(nullptr, topic, path)) {
        MessageBoxA(owner, "Unable to access the help file.", "Help", MB_ICONWARNING | MB_OK);
        return false;
    }
    return ShowHelpFile(owner, path);
}
