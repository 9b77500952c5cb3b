#include "PackageRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

constexpr DWORD RUN_LIMIT_MS = 60000;
constexpr DWORD POLL_MS = 50;

struct BoxSearch {
    DWORD processId;
    std::set<HWND>* answered;
    std::vector<std::string>* messages;
};

BOOL CALLBACK CollectStaticText(HWND child, LPARAM context)
{
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    char text[2048] = "";
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(className, "Static") == 0 && text[0] != '\0')
        reinterpret_cast<std::string*>(context)->assign(text);
    return TRUE;
}

// Message boxes are dialogs of the package's process: read the text,
// then answer OK as a user would.
BOOL CALLBACK AnswerMessageBox(HWND window, LPARAM context)
{
    BoxSearch& search = *reinterpret_cast<BoxSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (processId != search.processId || lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window) ||
        search.answered->count(window))
        return TRUE;
    // The box is shown once its text is in place; until then, look again later.
    std::string text;
    EnumChildWindows(window, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    if (text.empty())
        return TRUE;
    search.messages->push_back(text);
    search.answered->insert(window);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// The test's own environment with TMP and TEMP pointing at folder.
std::string EnvironmentWithTemp(const std::string& folder)
{
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry != '\0'; entry += lstrlenA(entry) + 1) {
        std::string variable(entry);
        std::string name = variable.substr(0, variable.find('='));
        if (lstrcmpiA(name.c_str(), "TMP") != 0 && lstrcmpiA(name.c_str(), "TEMP") != 0)
            block += variable + '\0';
    }
    FreeEnvironmentStringsA(strings);
    block += "TMP=" + folder + '\0' + "TEMP=" + folder + '\0';
    return block + '\0';
}

}  // namespace

PackageSandbox::PackageSandbox(const std::string& name)
{
    char base[MAX_PATH] = "";
    GetTempPathA(sizeof base, base);
    root_ = std::string(base) + "chimebox-package-" + name;
    temp_ = root_ + "\\tmp";
    current_ = root_ + "\\current";
    work_ = root_ + "\\work";
    std::filesystem::remove_all(root_);
    for (const std::string& folder : {temp_, current_, work_})
        std::filesystem::create_directories(folder);
}

PackageSandbox::~PackageSandbox()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::vector<std::string> PackageSandbox::TempEntries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp_))
        names.push_back(entry.path().filename().string());
    return names;
}

PackageResult PackageSandbox::Run(const std::string& package, const std::string& commandLine) const
{
    PackageResult result = {0xDEADBEEF, {}};
    std::string environment = EnvironmentWithTemp(temp_);
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(package.c_str(), &line[0], nullptr, nullptr, FALSE, 0, &environment[0], current_.c_str(),
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << package << ": " << GetLastError();
        return result;
    }
    std::set<HWND> answered;
    BoxSearch search = {process.dwProcessId, &answered, &result.messages};
    DWORD waited = 0;
    while (WaitForSingleObject(process.hProcess, POLL_MS) == WAIT_TIMEOUT) {
        EnumWindows(AnswerMessageBox, reinterpret_cast<LPARAM>(&search));
        waited += POLL_MS;
        if (waited > RUN_LIMIT_MS) {
            ADD_FAILURE() << package << " did not end";
            TerminateProcess(process.hProcess, 0xDEAD);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
    }
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

std::string SystemText(DWORD error)
{
    char text[2048] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                   nullptr);
    return text;
}
