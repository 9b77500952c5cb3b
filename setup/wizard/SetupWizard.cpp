#include "SetupWizard.h"

#include "CentreOnWorkArea.h"

#include <cstddef>

namespace {

// The platform's procedure of the one wizard window a process shows; the
// sheet callback that takes the window over has no context of its own.
WNDPROC platformSheetProc = nullptr;

// Finish and Cancel leave the modeless sheet without a current page.
void DestroyIfEnded(HWND sheet)
{
    if (!SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))
        DestroyWindow(sheet);
}

} // namespace

SetupWizard::SetupWizard(const char *applicationName)
    : title_{}, welcome_(title_), licence_(title_), status_(title_), completion_(title_)
{
    lstrcpynA(title_, applicationName, ENGINE_NAME_SIZE);
    lstrcatA(title_, " Setup");
}

SetupWizard::~SetupWizard() = default;

HWND SetupWizard::Create()
{
    HPROPSHEETPAGE pages[4] = {welcome_.Create(), licence_.Create(), status_.Create(), completion_.Create()};
    for (HPROPSHEETPAGE page : pages) {
        if (!page) {
            for (HPROPSHEETPAGE made : pages) {
                if (made)
                    DestroyPropertySheetPage(made);
            }
            return nullptr;
        }
    }
    PROPSHEETHEADERA header = {};
    // The header up to its header bitmap, as the property sheet of
    // comctl32 version 5 knows it.
    header.dwSize = offsetof(PROPSHEETHEADERA, hbmHeader) + sizeof header.hbmHeader;
    header.dwFlags = PSH_WIZARD | PSH_USECALLBACK | PSH_MODELESS;
    header.hInstance = GetModuleHandleA(nullptr);
    header.nPages = 4;
    header.nStartPage = 0;
    header.phpage = pages;
    header.pfnCallback = SheetCallback;
    INT_PTR window = PropertySheetA(&header);
    return window == -1 ? nullptr : reinterpret_cast<HWND>(window);
}

int CALLBACK SetupWizard::SheetCallback(HWND sheet, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED) {
        platformSheetProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc)));
        SendMessageA(sheet, WM_INITDIALOG, 0, 0);
    }
    return 0;
}

LRESULT CALLBACK SetupWizard::SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // The platform has initialised the sheet already; this is the
        // wizard's own part.
        CentreOnWorkArea(sheet);
        return TRUE;
    case WM_COMMAND: {
        LRESULT result = CallWindowProcA(platformSheetProc, sheet, message, wParam, lParam);
        if (HIWORD(wParam) == 0)
            DestroyIfEnded(sheet);
        return result;
    }
    case WM_CLOSE: {
        // With Cancel disabled the platform ends the wizard without a
        // command; the window must go all the same.
        LRESULT result = CallWindowProcA(platformSheetProc, sheet, message, wParam, lParam);
        DestroyIfEnded(sheet);
        return result;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            SendMessageA(sheet, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_NCDESTROY: {
        WNDPROC platform = platformSheetProc;
        platformSheetProc = nullptr;
        PostQuitMessage(0);
        return CallWindowProcA(platform, sheet, message, wParam, lParam);
    }
    default:
        break;
    }
    return CallWindowProcA(platformSheetProc, sheet, message, wParam, lParam);
}
