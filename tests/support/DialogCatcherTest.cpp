#include "DialogCatcher.h"

#include <gtest/gtest.h>

namespace {

// A hidden top-level window to own the boxes.
class OwnerWindow {
public:
    OwnerWindow()
        : window_(CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

TEST(DialogCatcher, RecordsAndAnswersPlainMessageBox)
{
    OwnerWindow owner;
    ASSERT_NE(owner.Get(), nullptr);
    DialogCatcher catcher;
    int result = MessageBoxA(owner.Get(), "Something failed", "Error", MB_OK);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(catcher.Caught().size(), 1u);
    const CaughtDialog &box = catcher.Caught()[0];
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, "Something failed");
    EXPECT_EQ(box.owner, owner.Get());
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.answer, IDOK);
}

TEST(DialogCatcher, PressesScriptedButtonsInOrderAndSeesIcons)
{
    DialogCatcher catcher;
    catcher.Answer(IDNO);
    catcher.Answer(IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "Really?", "Setup", MB_YESNO | MB_ICONWARNING), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Again?", "", MB_OKCANCEL), IDCANCEL);
    // The script is used up: the default answer.
    EXPECT_EQ(MessageBoxA(nullptr, "Done", "", MB_OK | MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(catcher.Caught().size(), 3u);
    EXPECT_TRUE(catcher.Caught()[0].hasIcon);
    EXPECT_EQ(catcher.Caught()[0].buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(catcher.Caught()[0].owner, nullptr);
    EXPECT_FALSE(catcher.Caught()[1].hasIcon);
    EXPECT_EQ(catcher.Caught()[1].caption, "");
    EXPECT_EQ(catcher.Caught()[1].buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_TRUE(catcher.Caught()[2].hasIcon);
    EXPECT_EQ(catcher.Caught()[2].answer, IDOK);
}

TEST(DialogCatcher, HandlerTakesDialogsAndCanOpenFurtherOnes)
{
    DialogCatcher catcher;
    int handled = 0;
    catcher.SetHandler([&](HWND dialog) {
        if (DialogCatcher::Describe(dialog).text != "outer")
            return false;
        ++handled;
        // A box shown from inside the handler is caught and answered too.
        EXPECT_EQ(MessageBoxA(dialog, "inner", "", MB_OK), IDOK);
        DialogCatcher::PressButton(dialog, IDRETRY);
        return true;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "outer", "Ask", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(handled, 1);
    ASSERT_EQ(catcher.Caught().size(), 2u);
    EXPECT_EQ(catcher.Caught()[0].text, "outer");
    EXPECT_EQ(catcher.Caught()[0].answer, 0);
    EXPECT_EQ(catcher.Caught()[1].text, "inner");
    EXPECT_EQ(catcher.Caught()[1].owner, catcher.Caught()[0].window);
}

INT_PTR CALLBACK PlainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

TEST(DialogCatcher, GivesDialogBoxesToTheHandler)
{
    // Dialog templates start on a DWORD boundary.
    struct alignas(4) {
        DLGTEMPLATE header;
        WORD menu, windowClass;
        wchar_t title[8];
    } dialogTemplate = {};
    dialogTemplate.header.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialogTemplate.header.cx = 100;
    dialogTemplate.header.cy = 50;
    lstrcpyW(dialogTemplate.title, L"Where");
    DialogCatcher catcher;
    HWND seen = nullptr;
    catcher.SetHandler([&](HWND dialog) {
        seen = dialog;
        DialogCatcher::PressButton(dialog, 1234);
        return true;
    });
    EXPECT_EQ(1234, DialogBoxIndirectParamA(nullptr, &dialogTemplate.header, nullptr,
                                            PlainDialogProc, 0));
    ASSERT_EQ(catcher.Caught().size(), 1u);
    EXPECT_EQ(catcher.Caught()[0].window, seen);
    EXPECT_EQ(catcher.Caught()[0].caption, "Where");
    EXPECT_EQ(catcher.Caught()[0].text, "");
    EXPECT_TRUE(catcher.Caught()[0].buttons.empty());
}

TEST(DialogCatcher, StopsCatchingWhenGone)
{
    {
        DialogCatcher outer;
        {
            DialogCatcher inner;
            EXPECT_EQ(MessageBoxA(nullptr, "to inner", "", MB_OK), IDOK);
            EXPECT_EQ(inner.Caught().size(), 1u);
        }
        EXPECT_EQ(MessageBoxA(nullptr, "to outer", "", MB_OK), IDOK);
        ASSERT_EQ(outer.Caught().size(), 1u);
        EXPECT_EQ(outer.Caught()[0].text, "to outer");
    }
}

} // namespace
