#include "WizardPage.h"

#include "SetupResource.h"

WizardPage::WizardPage(UINT dialogId, const char *title) : dialogId_(dialogId), title_(title) {}

HPROPSHEETPAGE WizardPage::Create()
{
    PROPSHEETPAGEA page = {};
    page.dwSize = PROPSHEETPAGEA_V2_SIZE;
    page.dwFlags = PSP_USECALLBACK | PSP_USETITLE;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(dialogId_);
    page.pszTitle = title_;
    page.pfnDlgProc = DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    page.pfnCallback = PageCallback;
    return CreatePropertySheetPageA(&page);
}

void WizardPage::SetWizardButtons(DWORD flags) const
{
    PostMessageA(Sheet(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

void WizardPage::OnRunMessage(UINT, WPARAM, LPARAM) {}

UINT CALLBACK WizardPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGEA)
{
    // Every page may be created.
    return message == PSPCB_CREATE ? 1 : 0;
}

INT_PTR WizardPage::OnNotify(const NMHDR &header)
{
    if (header.hwndFrom != window_ && header.hwndFrom != Sheet())
        return FALSE;
    LONG_PTR answer;
    switch (header.code) {
    case PSN_SETACTIVE:
        OnSetActive();
        answer = 0;
        break;
    case PSN_WIZNEXT:
        answer = 0;
        break;
    case PSN_QUERYCANCEL:
        answer = OnQueryCancel() ? TRUE : FALSE;
        break;
    default:
        return FALSE;
    }
    SetWindowLongPtrA(window_, DWLP_MSGRESULT, answer);
    return TRUE;
}

INT_PTR CALLBACK WizardPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto *page = reinterpret_cast<WizardPage *>(reinterpret_cast<const PROPSHEETPAGEA *>(lParam)->lParam);
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->window_ = window;
        page->OnInitialise();
        return TRUE;
    }
    auto *page = reinterpret_cast<WizardPage *>(GetWindowLongPtrA(window, DWLP_USER));
    if (!page)
        return FALSE;
    switch (message) {
    case WM_NOTIFY:
        return page->OnNotify(*reinterpret_cast<const NMHDR *>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_AGREE && HIWORD(wParam) == BN_CLICKED) {
            page->OnAgreeClicked();
            return TRUE;
        }
        return FALSE;
    case WM_USER:
    case WM_START_INSTALL:
        page->OnRunMessage(message, wParam, lParam);
        return TRUE;
    case WM_DESTROY:
        page->titleFont_.Reset();
        return FALSE;
    case WM_NCDESTROY:
        page->window_ = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}
