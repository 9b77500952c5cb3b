#include "WindowDriver.h"

#include <vector>

namespace {

struct Search {
    const std::string *caption;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    Search &search = *reinterpret_cast<Search *>(param);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) && WindowTextOf(window) == *search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND WaitForDialog(const std::string &caption, DWORD timeoutMs)
{
    Search search = {&caption, nullptr};
    WaitFor([&] {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

std::string WindowTextOf(HWND window)
{
    char text[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string ControlTextOf(HWND dialog, int control)
{
    HWND item = GetDlgItem(dialog, control);
    return item ? WindowTextOf(item) : std::string();
}

bool CanPress(HWND dialog, int control)
{
    HWND button = GetDlgItem(dialog, control);
    return button && IsWindowVisible(button) && IsWindowEnabled(button);
}

bool Press(HWND dialog, int control)
{
    if (!CanPress(dialog, control))
        return false;
    return PostMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0) != FALSE;
}

HANDLE StartProgram(const std::string &commandLine)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int WaitForExit(HANDLE process, DWORD timeoutMs)
{
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        return -2;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}
