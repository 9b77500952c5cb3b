#include "StatusPage.h"

#include "InstallEngine.h"
#include "SetupResource.h"
#include "SetupText.h"
#include "WaitForRunEnd.h"
#include "WorkerThreads.h"

namespace {

// wParam of the default queue callback's progress messages.
constexpr WPARAM PROGRESS_RANGE = 0;
constexpr WPARAM PROGRESS_STEP = 1;

} // namespace

StatusPage::StatusPage(const char *title) : WizardPage(IDD_STATUS_PAGE, title) {}

void StatusPage::OnInitialise()
{
    ApplyTitleFont("MS Sans Bold ", 8);
    SetSetupText(Window(), IDC_TITLE, IDS_STATUS_TITLE, "");
    SetSetupText(Window(), IDC_SUBTITLE, IDS_STATUS_SUBTITLE, "");
    SetSetupText(Window(), IDC_TEXT, IDS_STATUS_TEXT, "");
}

void StatusPage::OnSetActive()
{
    SendMessageA(Sheet(), PSM_CANCELTOCLOSE, 0, 0);
    SetWizardButtons(0);
    PostMessageA(Window(), WM_START_INSTALL, 0, 0);
}

void StatusPage::OnRunMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_START_INSTALL) {
        StartRun();
        return;
    }
    switch (wParam) {
    case PROGRESS_RANGE:
        SendDlgItemMessageA(Window(), IDC_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, LOWORD(lParam)));
        break;
    case PROGRESS_STEP:
        SendDlgItemMessageA(Window(), IDC_PROGRESS, PBM_DELTAPOS, 1, 0);
        break;
    case PROGRESS_CONFIGURING:
        state_ = RunState::Configuring;
        ShowWindow(GetDlgItem(Window(), IDC_PROGRESS), SW_HIDE);
        SetDlgItemTextA(Window(), IDC_TEXT, "Configuring installed components...");
        break;
    case PROGRESS_FINISHED:
        EndRun(true);
        break;
    default:
        break;
    }
}

void StatusPage::StartRun()
{
    if (state_ != RunState::NotStarted)
        return;
    state_ = RunState::Started;
    installEngine.AttachProgressWindow(Window(), WM_USER);
    if (!StartInstallThread(Window(), DoneEventHandle())) {
        ReportWorkerNotStarted(Window());
        installEngine.hadErrors = true;
        EndRun(false);
    }
}

void StatusPage::EndRun(bool workerRan)
{
    // Only the first end counts: the auto-reset event is set once.
    if (state_ == RunState::Finished || state_ == RunState::NotStarted)
        return;
    state_ = RunState::Finished;
    if (workerRan && DoneEventHandle())
        WaitForRunEnd(DoneEventHandle());
    installEngine.DetachProgressWindow();
    SetWizardButtons(PSWIZB_NEXT);
    PostMessageA(Sheet(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
}
