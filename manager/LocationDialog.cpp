#include "LocationDialog.h"

#include "Help.h"
#include "MainWindow.h"
#include "ResourceIds.h"
#include "RingtoneList.h"

INT_PTR LocationDialog::Show()
{
    return DialogBoxParamA(owner_.Module(), MAKEINTRESOURCEA(IDD_LOCATION), owner_.Window(), DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK LocationDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<LocationDialog *>(lParam)->OnInitDialog(window);
        return TRUE;
    }
    LocationDialog *dialog = reinterpret_cast<LocationDialog *>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog && message == WM_COMMAND && HIWORD(wParam) == 0)
        return dialog->OnCommand(window, LOWORD(wParam));
    return FALSE;
}

void LocationDialog::OnInitDialog(HWND window)
{
    HWND list = GetDlgItem(window, IDC_RINGTONES);
    AttachRingtoneIcons(list, owner_.Module());
    owner_.RefreshRingtoneList(list, LocationListing);
    InsertRingtoneItem(list, "(New ringtone)", NewRingtoneLocation);
}

bool LocationDialog::OnCommand(HWND window, WORD id)
{
    switch (id) {
    case IDOK:
        if (SelectedRingtone(GetDlgItem(window, IDC_RINGTONES), selectedLocation_))
            EndDialog(window, IDOK);
        else
            EndDialog(window, IDCANCEL);
        return true;
    case IDCANCEL:
        EndDialog(window, IDCANCEL);
        return true;
    case IDC_LOCATION_HELP:
        ShowHelp(window, "using.html");
        return true;
    default:
        return false;
    }
}
