#include "GetTone.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "CommandMessage.h"
#include "FileHandle.h"
#include "MainWindow.h"
#include "RingtoneList.h"
#include "RingtoneService.h"
#include "TextConversion.h"

namespace {

const uint8_t kMidiHeader[] = {'M', 'T', 'h', 'd'};

bool IsMidi(const MessageBuffer &data)
{
    return data.Size() >= sizeof kMidiHeader && std::memcmp(data.Data(), kMidiHeader, sizeof kMidiHeader) == 0;
}

// The ringtone's name and the extension; a name whose ANSI form would not
// fit the file name buffer loses characters at its end.
void DefaultFileName(const HeapArray<wchar_t> &name, const char *extension, char (&path)[MAX_PATH])
{
    size_t room = MAX_PATH - 1 - std::strlen(extension);
    int units = static_cast<int>(name.Size());
    HeapArray<char> ansi = ToAnsi(name.Get(), units);
    while (ansi.Size() > room && units > 0) {
        --units;
        if (units > 0 && IS_HIGH_SURROGATE(name[static_cast<size_t>(units) - 1]))
            --units;
        ansi = ToAnsi(name.Get(), units);
    }
    std::memcpy(path, ansi.Get(), ansi.Size());
    std::strcpy(path + ansi.Size(), extension);
}

// Writes the whole ringtone; a file that could not be written whole is
// deleted, so that no corrupted ringtone is left behind.
void SaveRingtone(HWND owner, const char *path, const MessageBuffer &data)
{
    FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsOpen()) {
        ShowCommandMessage(owner, "Error opening file");
        return;
    }
    DWORD size = static_cast<DWORD>(data.Size());
    DWORD written = 0;
    bool whole = WriteFile(file.Get(), data.Data(), size, &written, nullptr) && written == size;
    file.Close();
    if (!whole) {
        DeleteFileA(path);
        ShowCommandMessage(owner, "Error writing file: the ringtone could not be saved completely, "
                                  "so the file was deleted.");
    }
}

} // namespace

void OnGetTone(MainWindow &window)
{
    HWND owner = window.Window();
    uint16_t location = 0;
    if (!SelectedRingtone(window.RingtoneList(), location))
        return;

    HeapArray<wchar_t> name;
    MessageBuffer data;
    HRESULT hr = ReadRingtone(window.MessageStream().Get(), owner, location, name, data);
    if (FAILED(hr) || data.Absent() || !data.Data()) {
        ShowCommandMessage(owner, "Error getting ringtone");
        return;
    }

    bool midi = IsMidi(data);
    static const char kMidiFilter[] = "MIDI (.mid)\0*.mid\0";
    static const char kUnknownFilter[] = "Unknown file format (.dat)\0*.dat\0";
    char path[MAX_PATH];
    DefaultFileName(name, midi ? ".mid" : ".dat", path);

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = midi ? kMidiFilter : kUnknownFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = "Save As";
    dialog.lpstrDefExt = "rtx";
    dialog.Flags = OFN_HIDEREADONLY | OFN_SHAREAWARE | OFN_LONGNAMES;
    if (!GetSaveFileNameA(&dialog) || std::strlen(path) < 4)
        return;
    SaveRingtone(owner, path, data);
}
