// The install wizard: a modeless property sheet in wizard style with the
// welcome, licence, status and completion pages, in that order.
#pragma once

#include "CompletionPage.h"
#include "InstallEngine.h"
#include "LicencePage.h"
#include "StatusPage.h"
#include "WelcomePage.h"

class SetupWizard {
public:
    // The pages' title and the window's caption: the name and " Setup".
    explicit SetupWizard(const char *applicationName);
    ~SetupWizard();
    SetupWizard(const SetupWizard &) = delete;
    SetupWizard &operator=(const SetupWizard &) = delete;

    // The wizard's window, or null when the platform made none. Its
    // destruction, after Finish or Cancel, posts the quit message with 0.
    HWND Create();
    const char *Title() const { return title_; }

private:
    static int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam);

    char title_[ENGINE_NAME_SIZE + sizeof " Setup"];
    WelcomePage welcome_;
    LicencePage licence_;
    StatusPage status_;
    CompletionPage completion_;
};
