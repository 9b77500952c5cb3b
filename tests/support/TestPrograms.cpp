#include "TestPrograms.h"

std::string BesideTests(const char *name)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length < MAX_PATH ? length : 0);
    return program.substr(0, program.rfind('\\') + 1) + name;
}

DWORD RunProgram(const std::string &commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

HRESULT RegisterComponentStandIn()
{
    DWORD serverCode = RunProgram("\"" + BesideTests("TWMPC.exe") + "\" /regserver");
    if (serverCode != 0)
        return serverCode == 0xFFFFFFFF ? E_FAIL : static_cast<HRESULT>(serverCode);
    HMODULE page = LoadLibraryA(BesideTests("TWMPCUI.dll").c_str());
    if (!page)
        return HRESULT_FROM_WIN32(GetLastError());
    auto registerPage = reinterpret_cast<HRESULT(STDAPICALLTYPE *)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(page, "DllRegisterServer")));
    HRESULT result = registerPage ? registerPage() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    FreeLibrary(page);
    return result;
}
