// TWChimebox.exe against the component stand-in registered in a prefix of
// its own: the test drives the program's windows from outside, by messages.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "TestPrograms.h"
#include "WaitFor.h"

namespace {

std::string Settings()
{
    char folder[MAX_PATH];
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder);
    return std::string(folder) + "\\TWMPC\\TWMPC.ini";
}

std::vector<uint8_t> ReadWholeFile(const std::string &path)
{
    std::vector<uint8_t> bytes;
    if (FILE *file = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(file)) != EOF)
            bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(file);
    }
    return bytes;
}

std::string Text(HWND window)
{
    char text[512] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// A top-level dialog of the program's thread with this caption.
struct Finder {
    DWORD thread;
    const char *caption;
    const char *text; // the message box text it must hold, or null
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    Finder &f = *reinterpret_cast<Finder *>(param);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (GetWindowThreadProcessId(window, nullptr) != f.thread || lstrcmpA(name, "#32770") != 0 ||
        !IsWindowVisible(window) || Text(window) != f.caption)
        return TRUE;
    if (f.text && Text(GetDlgItem(window, 0xFFFF)) != f.text)
        return TRUE;
    f.found = window;
    return FALSE;
}

// The program's list view, read and written through memory in its process.
class RemoteList {
public:
    RemoteList(HANDLE process, HWND list) : process_(process), list_(list)
    {
        memory_ = static_cast<char *>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteList() { VirtualFreeEx(process_, memory_, 0, MEM_RELEASE); }

    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        int count = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = memory_ + 1024;
            item.cchTextMax = 256;
            WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr);
            SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory_));
            char text[256] = "";
            ReadProcessMemory(process_, memory_ + 1024, text, sizeof text - 1, nullptr);
            names.push_back(text);
        }
        return names;
    }
    void Select(int index)
    {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        WriteProcessMemory(process_, memory_, &item, sizeof item, nullptr);
        SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(memory_));
    }

private:
    HANDLE process_;
    HWND list_;
    char *memory_;
};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, RegisterComponentStandIn());
        // The first-use phone with its sample store.
        std::string folder = Settings().substr(0, Settings().rfind('\\'));
        DeleteFileA((folder + "\\VP1.tones").c_str());
        DeleteFileA(Settings().c_str());
    }

    void Launch(const char *arguments)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string line = "\"" + BesideTests("TWChimebox.exe") + "\"" + arguments;
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    }

    // Launches the program and waits for its main window.
    void Start()
    {
        Launch("");
        WaitForInputIdle(process.hProcess, 10000);
        ASSERT_TRUE(WaitFor([this] { return (main = Dialog("Chimebox")) != nullptr; }));
    }

    void TearDown() override
    {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }

    HWND Dialog(const char *caption, const char *text = nullptr)
    {
        Finder f = {process.dwThreadId, caption, text, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&f));
        return f.found;
    }
    HWND WaitDialog(const char *caption, const char *text = nullptr)
    {
        HWND found = nullptr;
        WaitFor([&] { return (found = Dialog(caption, text)) != nullptr; });
        return found;
    }
    static void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void AnswerFile(const char *caption, const std::string &path)
    {
        HWND dialog = WaitDialog(caption);
        ASSERT_NE(nullptr, dialog) << caption;
        Sleep(300);
        HWND name = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        Press(dialog, IDOK);
    }
    std::string Status() { return Text(GetDlgItem(main, IDC_STATUS)); }

    PROCESS_INFORMATION process = {};
    HWND main = nullptr;
};

} // namespace

TEST_F(EndToEnd, ListsWritesReadsBackErasesAndFollowsTheLink)
{
    Start();
    ASSERT_TRUE(WaitFor([this] { return Status() == "Connected to Virtual RH-9"; })) << Status();
    RemoteList list(process.hProcess, GetDlgItem(main, IDC_RINGTONES));
    std::vector<std::string> samples = list.Names();
    EXPECT_EQ((std::vector<std::string>{"Bells", "Scale", "Polka", "Compact tone"}), samples);

    // Write a MIDI file as a new ringtone.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string song = std::string(temp) + "Fanfare.mid";
    std::vector<uint8_t> midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 12,
                                 0, 0x90, 67, 0x60, 0x60, 0x80, 67, 0, 0, 0xFF, 0x2F, 0};
    FILE *file = std::fopen(song.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fwrite(midi.data(), 1, midi.size(), file);
    std::fclose(file);
    Press(main, IDC_WRITE_TONE);
    AnswerFile("Open Ringtone", song);
    HWND locations = WaitDialog("Select location");
    ASSERT_NE(nullptr, locations);
    RemoteList choices(process.hProcess, GetDlgItem(locations, IDC_RINGTONES));
    ASSERT_TRUE(WaitFor([&] { return !choices.Names().empty() && choices.Names().back() == "(New ringtone)"; }));
    choices.Select(static_cast<int>(choices.Names().size()) - 1);
    Press(locations, IDOK);
    ASSERT_TRUE(WaitFor([&] { return list.Names().size() == samples.size() + 1; }));
    EXPECT_EQ("Fanfare", list.Names().back());

    // Read it back byte for byte.
    std::string copy = std::string(temp) + "Fanfare-copy.mid";
    DeleteFileA(copy.c_str());
    list.Select(static_cast<int>(samples.size()));
    Press(main, IDC_GET_TONE);
    AnswerFile("Save As", copy);
    ASSERT_TRUE(WaitFor([&] { return ReadWholeFile(copy).size() == midi.size(); }));
    EXPECT_EQ(midi, ReadWholeFile(copy));

    // Erase it.
    list.Select(static_cast<int>(samples.size()));
    Press(main, IDC_ERASE_TONE);
    HWND question = WaitDialog("", "Are you sure you wish to erase this ringtone?");
    ASSERT_NE(nullptr, question);
    Press(question, IDYES);
    HWND erased = WaitDialog("", "Ringtone erased");
    ASSERT_NE(nullptr, erased);
    EXPECT_EQ(samples, list.Names());
    Press(erased, IDOK);

    // Detach: controls disabled, list kept; attach again: connected.
    WritePrivateProfileStringA("Phone1", "Attached", "0", Settings().c_str());
    ASSERT_TRUE(WaitFor([this] { return Status() == "Not connected"; })) << Status();
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, IDC_GET_TONE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, IDC_RINGTONES)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_ERASE_TONE)));
    EXPECT_EQ(samples, list.Names());
    WritePrivateProfileStringA("Phone1", "Attached", "1", Settings().c_str());
    ASSERT_TRUE(WaitFor([this] { return Status() == "Connected to Virtual RH-9"; })) << Status();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_GET_TONE)));

    Press(main, IDCANCEL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 15000));
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(0u, code);
}

TEST_F(EndToEnd, RegistrationSwitchEndsWithZero)
{
    // The window it makes is closed at once: there may be none to see.
    Launch(" /RegServer");
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 15000));
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(0u, code);
}
