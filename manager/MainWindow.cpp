#include "MainWindow.h"

#include <commctrl.h>
#include <olectl.h>

#include "AboutBox.h"
#include "EraseTone.h"
#include "GetTone.h"
#include "Help.h"
#include "ResourceIds.h"
#include "RingtoneList.h"
#include "TextConversion.h"
#include "WriteTone.h"

MainWindow::MainWindow(HINSTANCE module, DeviceManagerFactory createDeviceManager)
    : sink_(*this), module_(module), createDeviceManager_(createDeviceManager)
{
}

MainWindow *MainWindow::Create(HINSTANCE module, DeviceManagerFactory createDeviceManager)
{
    MainWindow *main = new (std::nothrow) MainWindow(module, createDeviceManager);
    if (!main)
        return nullptr;
    HWND window = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_MAIN), nullptr, DialogProc,
                                     reinterpret_cast<LPARAM>(main));
    if (!window) {
        // Without WM_INITDIALOG the window never took the object.
        if (!main->window_)
            delete main;
        return nullptr;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    return main;
}

HWND MainWindow::RingtoneList() const { return GetDlgItem(window_, IDC_RINGTONES); }

void MainWindow::Close()
{
    if (deviceManager)
        UnsubscribeDeviceList(deviceManager.Get(), sink_);
    DestroyWindow(window_);
}

INT_PTR CALLBACK MainWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MainWindow *main;
    if (message == WM_INITDIALOG) {
        main = reinterpret_cast<MainWindow *>(lParam);
        main->window_ = window;
        SetWindowLongPtrA(window, DWLP_USER, lParam);
    } else {
        main = reinterpret_cast<MainWindow *>(GetWindowLongPtrA(window, DWLP_USER));
    }
    if (!main)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        delete main;
        return FALSE;
    }
    return main->HandleMessage(message, wParam, lParam);
}

INT_PTR MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case WM_DESTROY:
        EndConnection();
        PostQuitMessage(0);
        return TRUE;
    case WM_COMMAND:
        return HIWORD(wParam) == 0 && OnCommand(LOWORD(wParam));
    case WM_NOTIFY: {
        const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
        if (header && header->idFrom == IDC_RINGTONES && header->code == static_cast<UINT>(NM_DBLCLK)) {
            OnGetTone(*this);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

void MainWindow::OnInitDialog()
{
    AttachRingtoneIcons(RingtoneList(), module_);
    StartConnection();
}

bool MainWindow::OnCommand(WORD id)
{
    switch (id) {
    case IDCANCEL:
        Close();
        return true;
    case IDC_GET_TONE:
        OnGetTone(*this);
        return true;
    case IDC_WRITE_TONE:
        OnWriteTone(*this);
        return true;
    case IDC_ERASE_TONE:
        OnEraseTone(*this);
        return true;
    case IDM_OPTIONS:
        OnOptions();
        return true;
    case IDM_HELP:
        ShowHelp(window_, "index.html");
        return true;
    case IDM_ABOUT:
        AboutBox(module_, window_);
        return true;
    default:
        return false;
    }
}

void MainWindow::OnOptions()
{
    // Held for the frame's modal loop, in which events may run.
    ComPtr<ITWDevMgr> manager = deviceManager;
    if (!manager)
        return;
    HeapArray<wchar_t> caption = ToWide("Mobile Phone Connection", -1);
    IUnknown *objects[] = {manager.Get()};
    CLSID pages[] = {CLSID_TWDevMgrProps};
    OleCreatePropertyFrame(window_, 0, 0, caption.Get(), 1, objects, 1, pages, 0, 0, nullptr);
}
