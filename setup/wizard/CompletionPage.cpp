#include "CompletionPage.h"

#include "InstallEngine.h"
#include "SetupResource.h"
#include "SetupText.h"

CompletionPage::CompletionPage(const char *title) : WizardPage(IDD_WIZARD_OUTER_PAGE, title) {}

void CompletionPage::OnInitialise()
{
    // The window is made when the page is first shown, after the run.
    ApplyTitleFont("Arial", 12);
    SetSetupText(Window(), IDC_TITLE, IDS_COMPLETION_TITLE, "");
    SetSetupText(Window(), IDC_TEXT, installEngine.hadErrors ? IDS_COMPLETION_ERROR_TEXT : IDS_COMPLETION_TEXT, "");
}

void CompletionPage::OnSetActive()
{
    SetWizardButtons(PSWIZB_FINISH);
    SendMessageA(Sheet(), PSM_CANCELTOCLOSE, 0, 0);
}
