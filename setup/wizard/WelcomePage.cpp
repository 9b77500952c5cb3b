#include "WelcomePage.h"

#include "InstallEngine.h"
#include "SetupResource.h"
#include "SetupText.h"

#include <setupapi.h>

namespace {

constexpr DWORD SCRIPT_LINE_SIZE = 1024;

void ReadSetupData(const char *key, const char *fallback, char *buffer)
{
    // Wine's Setup API reads through an invalid handle instead of failing.
    HINF script = installEngine.scriptHandle;
    if (script == INVALID_HANDLE_VALUE ||
        !SetupGetLineTextA(nullptr, script, "Setup.Data", key, buffer, SCRIPT_LINE_SIZE, nullptr))
        lstrcpynA(buffer, fallback, SCRIPT_LINE_SIZE);
}

} // namespace

WelcomePage::WelcomePage(const char *title) : WizardPage(IDD_WIZARD_OUTER_PAGE, title) {}

void WelcomePage::OnInitialise()
{
    ApplyTitleFont("Arial", 12);
    char line[SCRIPT_LINE_SIZE];
    ReadSetupData("ShortName", "Application", line);
    SetSetupText(Window(), IDC_TITLE, IDS_WELCOME_TITLE, line);
    ReadSetupData("Description", "", line);
    SetSetupText(Window(), IDC_TEXT, IDS_WELCOME_TEXT, line);
}

void WelcomePage::OnSetActive()
{
    SetWizardButtons(PSWIZB_NEXT);
}
