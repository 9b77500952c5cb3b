// Stands in for the installer inside the test packages: records how it was
// started into "setup-record.txt" in its current folder and returns 1.
// Lines: its command line, its current folder, its own path, and the text
// of "sub1\sub2\deep.txt" beside it (or "(missing)"), as it stands.
#include <windows.h>

#include <string>

namespace {

std::string ReadSmallFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(missing)";
    char bytes[256];
    DWORD read = 0;
    ReadFile(file, bytes, sizeof bytes, &read, nullptr);
    CloseHandle(file);
    return std::string(bytes, read);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof current, current);
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder(self);
    folder.erase(folder.find_last_of('\\'));

    std::string record = std::string(GetCommandLineA()) + '\n' + current + '\n' + self + '\n' +
                         ReadSmallFile(folder + "\\sub1\\sub2\\deep.txt");
    HANDLE file = CreateFileA("setup-record.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return 1;
}
