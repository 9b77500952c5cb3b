// The common part of the install wizard's pages: the property page built
// from a dialog resource, its dialog procedure, its title font and its done
// event.
#pragma once

#include "DoneEvent.h"
#include "TitleFont.h"

#include <windows.h>
#include <commctrl.h>

// Posted by the status page to itself when it becomes the active page.
constexpr UINT WM_START_INSTALL = WM_USER + 1;

class WizardPage {
public:
    // title must outlive the page.
    WizardPage(UINT dialogId, const char *title);
    WizardPage(const WizardPage &) = delete;
    WizardPage &operator=(const WizardPage &) = delete;

    // The platform's page, or null.
    HPROPSHEETPAGE Create();
    // Null until the platform has created the page's window.
    HWND Window() const { return window_; }
    HANDLE DoneEventHandle() const { return doneEvent_.Get(); }

protected:
    // Pages are members of the wizard, never deleted through this base.
    ~WizardPage() = default;

    virtual void OnInitialise() = 0;
    virtual void OnSetActive() = 0;
    virtual void OnAgreeClicked() {}
    // True refuses a Cancel or a Close of the wizard.
    virtual bool OnQueryCancel() { return false; }
    virtual void OnRunMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Sheet() const { return GetParent(window_); }
    void SetWizardButtons(DWORD flags) const;
    void ApplyTitleFont(const char *face, int points) { titleFont_.Apply(window_, face, points); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT CALLBACK PageCallback(HWND window, UINT message, LPPROPSHEETPAGEA page);
    INT_PTR OnNotify(const NMHDR &header);

    UINT dialogId_;
    const char *title_;
    HWND window_ = nullptr;
    TitleFont titleFont_;
    DoneEvent doneEvent_;
};
