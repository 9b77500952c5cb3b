#include "AboutBox.h"

#include "ResourceIds.h"

namespace {

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

void AboutBox(HINSTANCE module, HWND owner)
{
    DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
