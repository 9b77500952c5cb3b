#include "WriteTone.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "CommandMessage.h"
#include "FileHandle.h"
#include "LocationDialog.h"
#include "MainWindow.h"
#include "RingtoneService.h"
#include "TextConversion.h"

namespace {

// The ringtone's name: the file name without the path and without the part
// from its last dot on.
HeapArray<wchar_t> RingtoneName(const char *path)
{
    const char *fileName = std::strrchr(path, '\\');
    fileName = fileName ? fileName + 1 : path;
    const char *dot = std::strrchr(fileName, '.');
    int bytes = static_cast<int>(dot ? dot - fileName : std::strlen(fileName));
    return ToWide(fileName, bytes);
}

// Reads the file whole into data and names the ringtone after it. Every
// refusal tells the user why; nothing is read from a file that cannot be
// sent whole.
bool ReadToneFile(HWND owner, const char *path, HeapArray<wchar_t> &name, MessageBuffer &data)
{
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsOpen()) {
        ShowCommandMessage(owner, "Error opening file");
        return false;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file.Get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        ShowCommandMessage(owner, "Error opening file");
        return false;
    }
    if (high != 0 || size > kMaxRingtoneDataBytes) {
        ShowCommandMessage(owner, "The file is too large to be a ringtone: a ringtone can hold at most "
                                  "65535 bytes. Nothing was written to the phone.");
        return false;
    }
    if (size == 0) {
        ShowCommandMessage(owner, "The file is empty: there is no ringtone to write to the phone.");
        return false;
    }
    name = RingtoneName(path);
    if (name.Size() > kMaxRingtoneNameUnits) {
        ShowCommandMessage(owner, "The file name is too long for a ringtone name: a ringtone name can have at "
                                  "most 124 characters. Rename the file and try again. Nothing was written "
                                  "to the phone.");
        return false;
    }
    HeapArray<uint8_t> bytes;
    if (!bytes.Allocate(size)) {
        ShowCommandMessage(owner, "Out of memory");
        return false;
    }
    DWORD read = 0;
    bool whole = ReadFile(file.Get(), bytes.Data(), size, &read, nullptr) && read == size;
    file.Close();
    if (!whole) {
        ShowCommandMessage(owner, "Error opening file");
        return false;
    }
    if (!data.Append(bytes.Data(), bytes.Size()) || data.Failed() || !data.Data()) {
        ShowCommandMessage(owner, "Out of memory");
        return false;
    }
    return true;
}

} // namespace

void OnWriteTone(MainWindow &window)
{
    HWND owner = window.Window();
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "MIDI Files (.mid)\0*.mid\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = "Open Ringtone";
    dialog.lpstrDefExt = "txt";
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_SHAREAWARE | OFN_EXPLORER | OFN_LONGNAMES;
    if (!GetOpenFileNameA(&dialog) || std::strlen(path) < 4)
        return;

    HeapArray<wchar_t> name;
    MessageBuffer data;
    if (!ReadToneFile(owner, path, name, data))
        return;

    LocationDialog locations(window);
    if (locations.Show() != IDOK)
        return;
    // The phone may have gone while the dialog was open.
    if (FAILED(WriteRingtone(window.MessageStream().Get(), owner, locations.SelectedLocation(), name.Get(), data))) {
        ShowCommandMessage(owner, "Error writing ringtone");
        return;
    }
    window.RefreshRingtoneList(window.RingtoneList(), MainListing);
}
