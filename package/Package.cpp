// The package's entry point: no language run-time, one straight run from the
// version check to the installer's exit code.
#include <windows.h>

#include "CabinetCopy.h"
#include "CabinetExtraction.h"
#include "FolderTree.h"
#include "SetupRun.h"
#include "TextBuffer.h"

namespace {

constexpr int FAILED_EXIT_CODE = -1;
constexpr DWORD SYSTEM_TEXT_SIZE = 2048;

// The system's own words for the code; some texts hold inserts ("%1"),
// which are shown as they stand instead of being read from missing
// arguments.
void ShowSystemError(DWORD error)
{
    char text[SYSTEM_TEXT_SIZE];
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                       sizeof text, nullptr) != 0)
        MessageBoxA(nullptr, text, nullptr, MB_ICONERROR);
}

// Extracts, runs the installer from the extraction folder and removes the
// folder again, also when the installer could not be started.
DWORD InstallFromCabinet(const char* cabinetPath, const char* tempFolder, int& exitCode)
{
    char folder[MAX_PATH];
    DWORD error = ExtractCabinet(cabinetPath, tempFolder, folder);
    if (error != ERROR_SUCCESS)
        return error;
    size_t folderLength = TextLength(folder);
    if (AppendText(folder, sizeof folder, "\\setup.exe"))
        error = RunSetupAndWait(folder, exitCode);
    else
        error = ERROR_FILENAME_EXCED_RANGE;
    folder[folderLength] = '\0';
    DeleteFolderTree(folder);
    return error;
}

int RunPackage(HMODULE image)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    if (version.dwMajorVersion < 4) {
        MessageBoxA(nullptr, "Windows version not supported", nullptr, MB_ICONERROR);
        return FAILED_EXIT_CODE;
    }

    char tempFolder[MAX_PATH] = "C:\\";
    DWORD tempLength = GetTempPathA(sizeof tempFolder, tempFolder);
    if (tempLength == 0 || tempLength >= sizeof tempFolder)
        CopyText(tempFolder, sizeof tempFolder, "C:\\");

    int exitCode = FAILED_EXIT_CODE;
    char cabinetPath[MAX_PATH];
    DWORD error = CopyCabinetToTempFile(image, tempFolder, cabinetPath);
    if (error == ERROR_SUCCESS)
        error = InstallFromCabinet(cabinetPath, tempFolder, exitCode);
    if (error == ERROR_SUCCESS)
        return exitCode;
    ShowSystemError(error);
    return FAILED_EXIT_CODE;
}

}  // namespace

// The linker's name for the start of this image: its module handle.
extern "C" IMAGE_DOS_HEADER __ImageBase;

extern "C" void WINAPI Entry()
{
    ExitProcess(static_cast<UINT>(RunPackage(reinterpret_cast<HMODULE>(&__ImageBase))));
}
