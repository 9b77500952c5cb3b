#include "ProgressBox.h"

#include "FindSetupLog.h"
#include "SetupResource.h"
#include "WaitForRunEnd.h"
#include "WorkerThreads.h"

ProgressBox::ProgressBox(Mode mode, const char *logPath) : mode_(mode)
{
    lstrcpynA(logPath_, logPath, ENGINE_PATH_SIZE);
}

INT_PTR ProgressBox::Show()
{
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS_BOX), nullptr, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void ProgressBox::OnInitialise(HWND window)
{
    if (!FindSetupLog(logPath_)) {
        MessageBoxA(window, "Error opening setup log", logPath_, MB_ICONWARNING);
        EndDialog(window, IDCANCEL);
        return;
    }
    installEngine.AttachProgressWindow(window, WM_USER);
    bool started;
    if (mode_ == CONFIGURE) {
        SetDlgItemTextA(window, IDC_TEXT, "Configuring installed components...");
        started = StartRegisterThread(window, doneEvent_.Get(), logPath_);
    } else {
        installEngine.OpenQueue();
        SetDlgItemTextA(window, IDC_TEXT, "Removing installed components...");
        started = StartUninstallThread(window, doneEvent_.Get(), logPath_);
    }
    if (!started) {
        ReportWorkerNotStarted(window);
        installEngine.DetachProgressWindow();
        EndDialog(window, IDCANCEL);
        return;
    }
    running_ = true;
}

void ProgressBox::OnFinished(HWND window)
{
    // Only the first end counts: the auto-reset event is set once.
    if (!running_)
        return;
    running_ = false;
    if (doneEvent_.Get())
        WaitForRunEnd(doneEvent_.Get());
    installEngine.DetachProgressWindow();
    Sleep(500);
    EndDialog(window, IDOK);
}

INT_PTR CALLBACK ProgressBox::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<ProgressBox *>(lParam)->OnInitialise(window);
        return TRUE;
    }
    auto *box = reinterpret_cast<ProgressBox *>(GetWindowLongPtrA(window, DWLP_USER));
    if (!box)
        return FALSE;
    // The platform's range and step messages are not shown here.
    if (message == WM_USER && wParam == PROGRESS_FINISHED) {
        box->OnFinished(window);
        return TRUE;
    }
    return FALSE;
}
