// Start and end of the program, the registration switches, the window's
// resources, Help, About and the pictures of the windows.
#include "ManagerFixture.h"

#include <thread>

#include "Application.h"
#include "CommandLine.h"
#include "DialogActions.h"
#include "Help.h"
#include "Program.h"

namespace {

struct SwitchCase {
    const char *commandLine;
    bool isSwitch;
};

class RegistrationSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(RegistrationSwitch, IsRecognised)
{
    EXPECT_EQ(GetParam().isSwitch, HasRegistrationSwitch(GetParam().commandLine)) << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RegistrationSwitch,
    ::testing::Values(SwitchCase{"TWChimebox.exe /RegServer", true}, SwitchCase{"TWChimebox.exe -unregserver", true},
                      SwitchCase{"TWChimebox.exe /rEgSeRvEr\tmore", true},
                      SwitchCase{"\"C:\\Program Files\\TWChimebox.exe\" -UNREGSERVER", true},
                      SwitchCase{"x /other /RegServer", true}, SwitchCase{"x //RegServer", true},
                      SwitchCase{"TWChimebox.exe", false}, SwitchCase{"", false},
                      SwitchCase{"TWChimebox.exe /RegServerX", false}, SwitchCase{"TWChimebox.exe /Reg", false},
                      SwitchCase{"TWChimebox.exe RegServer", false}, SwitchCase{"TWChimebox.exe /", false},
                      SwitchCase{"C:\\my-RegServer\\TWChimebox.exe", false},
                      SwitchCase{"C:\\tone-box\\TWChimebox.exe", false},
                      SwitchCase{"x /Unreg Server", false}));

// Closes the main window from inside the message loop.
void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR id, DWORD)
{
    if (HWND window = FindWindowA("#32770", "Chimebox")) {
        KillTimer(nullptr, id);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    }
}

} // namespace

class Program : public ManagerTest {};

TEST_F(Program, SwitchEndsAtOnceWithZeroAfterClosingTheWindow)
{
    AddDefaultPhone();
    handedDeviceManager(manager);
    Application application;
    EXPECT_EQ(0, RunChimebox(application, "TWChimebox.exe /regserver", HandedDeviceManager));
    EXPECT_EQ(nullptr, FindWindowA("#32770", "Chimebox"));
    EXPECT_EQ(1, manager->shutdownCalls);
    EXPECT_EQ(1, manager->unadviseCalls);
    EXPECT_EQ(1u, manager->refs);
}

TEST_F(Program, WithoutSwitchRunsTheLoopUntilClosed)
{
    AddDefaultPhone();
    handedDeviceManager(manager);
    Application application;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMainWindow);
    EXPECT_EQ(0, RunChimebox(application, "C:\\tone-box\\TWChimebox.exe /RegServerX", HandedDeviceManager));
    KillTimer(nullptr, timer);
    EXPECT_EQ(1, manager->shutdownCalls);
    EXPECT_EQ(1u, manager->refs);
}

TEST_F(Program, FailedComStartEndsWithMinusOne)
{
    int code = 0;
    std::vector<CaughtDialog> seen;
    std::thread([&] {
        // A thread of another apartment: CoInitialize refuses it.
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            DialogCatcher threadCatcher;
            Application application;
            EXPECT_TRUE(application.StartupFailed());
            code = RunChimebox(application, "TWChimebox.exe", HandedDeviceManager);
            seen = threadCatcher.Caught();
        }
        CoUninitialize();
    }).join();
    EXPECT_EQ(-1, code);
    // The window was still made, and found no component.
    bool warned = false;
    for (const CaughtDialog &d : seen)
        warned = warned || d.text.find("not installed") != std::string::npos;
    EXPECT_TRUE(warned);
}

TEST_F(Program, MainDialogMenuAndList)
{
    Open();
    char caption[32] = "";
    GetWindowTextA(Window(), caption, sizeof caption);
    EXPECT_STREQ("Chimebox", caption);
    for (auto [id, text] : std::vector<std::pair<int, const char *>>{{IDCANCEL, "&Close"},
                                                                     {IDC_GET_TONE, "&Get tone from phone..."},
                                                                     {IDC_WRITE_TONE, "&Write tone to phone..."},
                                                                     {IDC_STATUS, "Not connected"},
                                                                     {IDC_ERASE_TONE, "&Erase tone..."}}) {
        char got[64] = "";
        GetDlgItemTextA(Window(), id, got, sizeof got);
        EXPECT_STREQ(text, got) << id;
    }
    LONG style = GetWindowLongA(List(), GWL_STYLE);
    EXPECT_EQ(LVS_LIST, style & LVS_TYPEMASK);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    // A list view with WS_BORDER may draw it as a client edge instead.
    EXPECT_TRUE((style & WS_BORDER) || (GetWindowLongA(List(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING));
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_NE(nullptr, images);
    EXPECT_EQ(1, ImageList_GetImageCount(images));

    HMENU menu = GetMenu(Window());
    ASSERT_NE(nullptr, menu);
    char text[32];
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Options...", text);
    EXPECT_EQ(static_cast<UINT>(IDM_OPTIONS), GetMenuItemID(menu, 0));
    HMENU help = GetSubMenu(menu, 1);
    GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Help", text);
    GetMenuStringA(help, IDM_HELP, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("H&elp...", text);
    GetMenuStringA(help, IDM_ABOUT, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("&About...", text);
    EXPECT_EQ(static_cast<UINT>(IDM_HELP), GetMenuItemID(help, 0));
}

TEST_F(Program, EscapeDoesNotCloseButTheCloseBoxDoes)
{
    Open();
    HWND window = Window();
    SendMessageA(List(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(IsWindow(window));
    // The close box posts the Close command.
    SendMessageA(window, WM_CLOSE, 0, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_FALSE(IsWindow(window));
    window_ = nullptr;
}

TEST_F(Program, AboutBox)
{
    Open();
    std::vector<std::string> texts;
    onDialog = [&texts](HWND dialog) {
        char caption[32] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        if (lstrcmpA(caption, "About") != 0)
            return false;
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM p) {
                char text[64] = "", name[16] = "";
                GetClassNameA(child, name, sizeof name);
                if (lstrcmpiA(name, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    return TRUE;
                GetWindowTextA(child, text, sizeof text);
                if (text[0])
                    reinterpret_cast<std::vector<std::string> *>(p)->push_back(text);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&texts));
        DialogCatcher::PressButton(dialog, IDCANCEL);
        return true;
    };
    Press(IDM_ABOUT);
    ASSERT_EQ(1u, Dialogs().size());
    EXPECT_EQ(Window(), Dialogs()[0].owner);
    EXPECT_TRUE(Dialogs()[0].hasIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, Dialogs()[0].buttons);
    EXPECT_EQ((std::vector<std::string>{"Chimebox by Tonewright", "Version 1.0.1", "Copyright (C) Tonewright", "OK"}),
              texts);
}

// ---- help

namespace {

const std::pair<std::string, std::string> kNoHelp = {"Help", "Unable to access the help file."};

void CloseHelpWindows()
{
    while (HWND viewer = FindWindowA("HH Parent", nullptr)) {
        SendMessageA(viewer, WM_CLOSE, 0, 0);
        if (IsWindow(viewer))
            break;
    }
}

} // namespace

TEST_F(Program, HelpOpensTheFileBesideTheProgram)
{
    Open();
    char path[MAX_PATH];
    ASSERT_TRUE(HelpFilePath(nullptr, "index.html", path));
    std::string file(path);
    EXPECT_EQ("\\Chimebox.chm::/index.html", file.substr(file.rfind('\\')));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.substr(0, file.find("::")).c_str()));
    Press(IDM_HELP);
    EXPECT_TRUE(Messages().empty());
    EXPECT_NE(nullptr, FindWindowA("HH Parent", nullptr));
    CloseHelpWindows();
}

TEST_F(Program, HelpPathsThatDoNotFitAreRefused)
{
    char path[MAX_PATH];
    ASSERT_TRUE(HelpFilePath(nullptr, nullptr, path));
    EXPECT_EQ("Chimebox.chm", std::string(path).substr(std::string(path).rfind('\\') + 1));
    std::string topic(MAX_PATH, 't');
    EXPECT_FALSE(HelpFilePath(nullptr, topic.c_str(), path));
}

TEST_F(Program, HelpWithTheFileMissingSaysSo)
{
    Open();
    EXPECT_FALSE(ShowHelpFile(Window(), "C:\\nowhere\\Chimebox.chm::/index.html"));
    ASSERT_EQ(1u, Dialogs().size());
    EXPECT_EQ(kNoHelp, Messages()[0]);
    EXPECT_TRUE(Dialogs()[0].hasIcon);
    EXPECT_EQ(Window(), Dialogs()[0].owner);
    CloseHelpWindows();
}

TEST_F(Program, HelpWithoutTheHtmlHelpClassKeyLoadsNothing)
{
    Open();
    // The program sees an empty HKEY_CLASSES_ROOT.
    HKEY empty;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\ChimeboxTests\\EmptyClasses", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &empty, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CLASSES_ROOT, empty));
    Press(IDM_HELP);
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    RegCloseKey(empty);
    ASSERT_EQ(1u, Messages().size());
    EXPECT_EQ(kNoHelp, Messages()[0]);
    EXPECT_EQ(nullptr, GetModuleHandleA("hhctrl.ocx"));
}

TEST_F(Program, LocationDialogHelpButtonOpensUsingTopicAndKeepsTheDialog)
{
    AddDefaultPhone();
    Open();
    bool stillOpen = false;
    onDialog = [&stillOpen](HWND dialog) {
        char caption[32] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        if (lstrcmpA(caption, "Select location") != 0)
            return false;
        RunWhenShown(dialog, [&stillOpen](HWND shown) {
            SendMessageA(shown, WM_COMMAND, MAKEWPARAM(IDC_LOCATION_HELP, 0), 0);
            stillOpen = IsWindow(shown) && FindWindowA("HH Parent", nullptr);
            CloseHelpWindows();
            DialogCatcher::PressButton(shown, IDCANCEL);
        });
        return true;
    };
    std::string path = ScratchFolder() + "song.mid";
    WriteWholeFile(path, MidiBytes(1));
    DialogCatcher::Handler location = onDialog;
    onDialog = [location, path](HWND dialog) {
        char caption[32] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        if (lstrcmpA(caption, "Open Ringtone") == 0) {
            RunWhenShown(dialog, [path](HWND shown) { AnswerFileDialog(shown, path); });
            return true;
        }
        return location(dialog);
    };
    Press(IDC_WRITE_TONE);
    EXPECT_TRUE(stillOpen);
}

// ---- pictures for a reviewer

TEST_F(Program, PicturesOfTheMainWindowAndTheLocationDialog)
{
    AddDefaultPhone();
    Open();
    SelectItem(List(), 1);
    EXPECT_TRUE(SaveWindowPicture(Window(), ScreensFolder() + "main-window.png"));
    std::string path = ScratchFolder() + "My tune.mid";
    WriteWholeFile(path, MidiBytes(2));
    bool saved = false;
    onDialog = [&saved, path](HWND dialog) {
        char caption[32] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        if (lstrcmpA(caption, "Open Ringtone") == 0) {
            RunWhenShown(dialog, [path](HWND shown) { AnswerFileDialog(shown, path); });
            return true;
        }
        if (lstrcmpA(caption, "Select location") == 0) {
            RunWhenShown(dialog, [&saved](HWND shown) {
                SelectItem(GetDlgItem(shown, IDC_RINGTONES), 3);
                saved = SaveWindowPicture(shown, ScreensFolder() + "location-dialog.png");
                DialogCatcher::PressButton(shown, IDCANCEL);
            });
            return true;
        }
        return false;
    };
    Press(IDC_WRITE_TONE);
    EXPECT_TRUE(saved);
}
