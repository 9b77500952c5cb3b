// The property page in OleCreatePropertyFrame under Xvfb, driven by window
// messages as there is no window manager to give focus.
#include "ComponentFixture.h"

#include <ocidl.h>
#include <olectl.h>

#include "PageResources.h"

namespace {

// What the timer does once it finds the page inside the frame.
struct FrameScript {
    void (*edit)(HWND page) = nullptr;
    int closeWith = IDOK;
    bool pageFound = false;
};

FrameScript *script = nullptr;

BOOL CALLBACK FindPage(HWND window, LPARAM found)
{
    if (GetDlgItem(window, IDC_PHONES)) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindFrame(HWND window, LPARAM found)
{
    HWND page = nullptr;
    EnumChildWindows(window, FindPage, reinterpret_cast<LPARAM>(&page));
    if (page) {
        reinterpret_cast<HWND *>(found)[0] = window;
        reinterpret_cast<HWND *>(found)[1] = page;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DriveFrame(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND found[2] = {};
    EnumThreadWindows(GetCurrentThreadId(), FindFrame, reinterpret_cast<LPARAM>(found));
    if (!found[0])
        return;
    KillTimer(nullptr, timer);
    script->pageFound = true;
    if (script->edit)
        script->edit(found[1]);
    PostMessageA(found[0], WM_COMMAND, MAKEWPARAM(script->closeWith, BN_CLICKED), 0);
}

void Click(HWND page, int id, UINT check)
{
    if (check != BST_INDETERMINATE)
        CheckDlgButton(page, id, check);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

void Type(HWND page, int id, const char *text)
{
    // Setting an edit control's text sends EN_CHANGE to the page.
    SetDlgItemTextA(page, id, text);
}

void Detach(HWND page)
{
    Click(page, IDC_ATTACHED, BST_UNCHECKED);
}

void AddSecondPhone(HWND page)
{
    Click(page, IDC_ADD, BST_INDETERMINATE);
    Type(page, IDC_TYPE, "NHM-8");
    Type(page, IDC_NAME, "Added on the page");
    Type(page, IDC_SPEED, "9600");
}

class TwmpcSettingsPage : public ComponentTest {
protected:
    void Show(FrameScript &s)
    {
        manager = CreateManager();
        ASSERT_TRUE(manager);
        script = &s;
        SetTimer(nullptr, 0, 100, DriveFrame);
        IUnknown *objects[] = {manager.Get()};
        CLSID page = CLSID_TWDevMgrProps;
        EXPECT_EQ(S_OK, OleCreatePropertyFrame(nullptr, 0, 0, L"Mobile Phone Connection", 1, objects, 1, &page, 0, 0,
                                               nullptr));
        script = nullptr;
        EXPECT_TRUE(s.pageFound);
    }
};

TEST_F(TwmpcSettingsPage, OkWritesTheChangeAndTheRunningManagerFollowsIt)
{
    ComPtr<ITWDevice> device = DeviceById("VP1");
    ASSERT_TRUE(device);
    FrameScript s;
    s.edit = AddSecondPhone;
    Show(s);
    EXPECT_EQ("2", GetSetting("Phones", "Count"));
    EXPECT_EQ("VP2", GetSetting("Phone2", "OID"));
    EXPECT_EQ("NHM-8", GetSetting("Phone2", "Type"));
    EXPECT_EQ("Added on the page", GetSetting("Phone2", "Name"));
    EXPECT_EQ("9600", GetSetting("Link", "BytesPerSecond"));
    EXPECT_EQ(2u, Devices().size());

    s = FrameScript();
    s.edit = Detach;
    Show(s);
    EXPECT_EQ("0", GetSetting("Phone1", "Attached"));
    TWDStatus status = twdsActive;
    EXPECT_EQ(S_OK, device->get_Status(&status));
    EXPECT_EQ(twdsRemoved, status);
}

TEST_F(TwmpcSettingsPage, CancelKeepsTheSettings)
{
    FrameScript s;
    s.edit = Detach;
    s.closeWith = IDCANCEL;
    Show(s);
    EXPECT_EQ("1", GetSetting("Phone1", "Attached"));
    EXPECT_EQ(1u, Devices().size());
}

TEST_F(TwmpcSettingsPage, PageAppliesThroughItsInterfaceToo)
{
    ComPtr<IPropertyPage> page;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_TWDevMgrProps, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                     reinterpret_cast<void **>(page.Receive())));
    PROPPAGEINFO info = {};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_STREQ(L"Virtual phones", info.pszTitle);
    EXPECT_GT(info.size.cx, 0);
    CoTaskMemFree(info.pszTitle);

    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    RECT area = {0, 0, 400, 300};
    ASSERT_EQ(S_OK, page->Activate(parent, &area, TRUE));
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    HWND dialog = nullptr;
    EnumChildWindows(parent, FindPage, reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_STREAM, BST_UNCHECKED);
    EXPECT_EQ(S_OK, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ("0", GetSetting("Phone1", "Stream"));

    // Removing the only phone leaves an empty list.
    Click(dialog, IDC_REMOVE, BST_INDETERMINATE);
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ("0", GetSetting("Phones", "Count"));
    EXPECT_EQ(S_OK, page->Deactivate());
    DestroyWindow(parent);
    EXPECT_TRUE(Devices().empty());
}

} // namespace
