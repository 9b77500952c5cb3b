#include "ManagerFixture.h"

#include <objbase.h>
#include <oleauto.h>

#include <cstdio>

namespace {

FakeDeviceManager *handedManager = nullptr;

void RegisterTypeLibrary()
{
    ITypeLib *library = nullptr;
    ASSERT_EQ(S_OK, LoadTypeLibEx(TWMPC_TLB_PATH, REGKIND_REGISTER, &library));
    library->Release();
}

// The main window is a dialog too, shown without owner.
bool IsMainWindow(HWND dialog) { return GetDlgItem(dialog, IDC_STATUS) && !GetWindow(dialog, GW_OWNER); }

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

void handedDeviceManager(FakeDeviceManager *manager) { handedManager = manager; }

HRESULT HandedDeviceManager(ITWDevMgr **out)
{
    *out = handedManager;
    if (!handedManager)
        return REGDB_E_CLASSNOTREG;
    handedManager->AddRef();
    return S_OK;
}

std::vector<uint8_t> MidiBytes(uint8_t note)
{
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 12,
            0, 0x90, note, 0x60, 0x60, 0x80, note, 0, 0, 0xFF, 0x2F, 0};
}

std::string ScratchFolder()
{
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char &c : name)
        if (c == '/')
            c = '_';
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "chimebox-" + name + "\\";
    static std::string made;
    if (made != folder) {
        // Each test starts with an empty folder of its own.
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string path = folder + found.cFileName;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveDirectoryA(path.c_str());
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        CreateDirectoryA(folder.c_str(), nullptr);
        made = folder;
    }
    return folder;
}

std::vector<uint8_t> ReadWholeFile(const std::string &path)
{
    std::vector<uint8_t> bytes;
    FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    uint8_t buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

void WriteWholeFile(const std::string &path, const std::vector<uint8_t> &bytes)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file) << path;
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string ScreensFolder()
{
    std::string folder = CHIMEBOX_SCREENS_DIR;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

void PrintTo(const ListItem &item, std::ostream *out)
{
    *out << '"' << item.text << "\"@" << std::hex << item.location;
}

std::vector<ListItem> ListItems(HWND list)
{
    std::vector<ListItem> items;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[260] = "";
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        items.push_back({text, item.lParam});
    }
    return items;
}

void SelectItem(HWND list, int index)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = index >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void ManagerTest::SetUp()
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    RegisterTypeLibrary();
    InitCommonControls();
    manager = new FakeDeviceManager;
    catcher.SetHandler([this](HWND dialog) { return IsMainWindow(dialog) || (onDialog && onDialog(dialog)); });
}

void ManagerTest::TearDown()
{
    Close();
    handedManager = nullptr;
    if (manager)
        manager->Release();
    manager = nullptr;
    CoUninitialize();
}

FakeDevice *ManagerTest::AddPhone(const std::wstring &id, const std::wstring &type, const std::wstring &name,
                                   bool withStream)
{
    FakeStream *stream = withStream ? new FakeStream : nullptr;
    FakeDevice *device = manager->Attach(new FakeDevice(id, type, name, stream));
    if (stream)
        stream->Release();
    return device;
}

FakeDevice *ManagerTest::AddDefaultPhone()
{
    FakeDevice *phone = AddPhone(L"usb-1", L"RH-9", L"Nokia 6230");
    phone->stream->store = {{0x0101, u"Polka", MidiBytes(60)},
                            {0x0102, u"Sirens", MidiBytes(72)},
                            {0x0103, u"Tones", {0x02, 0x4A, 0x3A}}};
    return phone;
}

void ManagerTest::Open(bool withComponent)
{
    handedManager = withComponent ? manager : nullptr;
    window_ = MainWindow::Create(GetModuleHandleA(nullptr), HandedDeviceManager);
    ASSERT_NE(nullptr, window_);
}

void ManagerTest::Close()
{
    if (window_ && IsWindow(window_->Window()))
        Press(IDCANCEL);
    window_ = nullptr;
    Pump();
}

std::string ManagerTest::StatusText() const
{
    char text[256] = "";
    GetDlgItemTextA(Window(), IDC_STATUS, text, sizeof text);
    return text;
}

void ManagerTest::Press(int id) { SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void ManagerTest::DoubleClickList()
{
    NMHDR header = {List(), static_cast<UINT_PTR>(IDC_RINGTONES), static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(Window(), WM_NOTIFY, IDC_RINGTONES, reinterpret_cast<LPARAM>(&header));
}

std::vector<CaughtDialog> ManagerTest::Dialogs() const
{
    std::vector<CaughtDialog> dialogs;
    for (const CaughtDialog &d : catcher.Caught())
        if (d.owner || !(d.caption == "Chimebox" && d.text.empty()))
            dialogs.push_back(d);
    return dialogs;
}

std::vector<std::pair<std::string, std::string>> ManagerTest::Messages() const
{
    std::vector<std::pair<std::string, std::string>> messages;
    for (const CaughtDialog &d : Dialogs())
        messages.emplace_back(d.caption, d.text);
    return messages;
}
