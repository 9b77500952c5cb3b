#include "WizardWalk.h"

#include "DialogActions.h"
#include "WindowDriver.h"

#include <commctrl.h>

namespace {

constexpr int ID_BACK = 0x3023;
constexpr int ID_NEXT = 0x3024;
constexpr int ID_FINISH = 0x3025;
constexpr int ID_TITLE = 100;
constexpr int ID_TEXT = 103;
constexpr int ID_AGREE = 110;
constexpr DWORD PAGE_TIMEOUT = 30000;

HWND CurrentPage(HWND wizard)
{
    DWORD_PTR page = 0;
    SendMessageTimeoutA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_ABORTIFHUNG, 5000, &page);
    return reinterpret_cast<HWND>(page);
}

class Walk {
public:
    Walk(const std::string &caption, const std::string &screens) : caption_(caption), screens_(screens) {}

    bool Run(WalkResult &result)
    {
        wizard_ = WaitForDialog(caption_, 60000);
        if (!wizard_)
            return Fail("no window \"" + caption_ + "\" appeared");
        if (!OnPage("Welcome to the ", 0) || !Shot("1-welcome") || !Press(wizard_, ID_NEXT))
            return Fail("the welcome page did not lead on");
        if (!OnPage("Licence agreement", ID_BACK))
            return Fail("no licence page");
        HWND licence = CurrentPage(wizard_);
        if (CanPress(wizard_, ID_NEXT))
            return Fail("Next could be pressed before the licence was accepted");
        if (!Press(licence, ID_AGREE) || !WaitFor([&] { return CanPress(wizard_, ID_NEXT); }, PAGE_TIMEOUT))
            return Fail("ticking the licence box did not allow Next");
        if (!Shot("2-licence") || !Press(wizard_, ID_NEXT))
            return Fail("the licence page did not lead on");
        // The status page may be over before it can be seen: no time is
        // spent waiting for it once the completion page is there.
        WaitFor([&] { return IsOnPage("Setup status", -1) || IsOnPage("Completing the Setup Wizard", -1); },
                PAGE_TIMEOUT);
        if (IsOnPage("Setup status", -1))
            Shot("3-status");
        if (!OnPage("Completing the Setup Wizard", ID_FINISH, 120000))
            return Fail("the completion page did not come: " + Blocking());
        result.completionText = ControlTextOf(CurrentPage(wizard_), ID_TEXT);
        if (!Shot("4-completion") || !Press(wizard_, ID_FINISH))
            return Fail("Finish could not be pressed");
        return true;
    }

    std::string failure;

private:
    // The page whose title begins with title, with the button that must be
    // pressable there (0 none, -1 not checked).
    bool IsOnPage(const std::string &title, int button)
    {
        HWND page = CurrentPage(wizard_);
        if (!page || ControlTextOf(page, ID_TITLE).compare(0, title.size(), title) != 0)
            return false;
        return button <= 0 || CanPress(wizard_, button);
    }

    bool OnPage(const std::string &title, int button, DWORD timeoutMs = PAGE_TIMEOUT)
    {
        return WaitFor([&] { return IsOnPage(title, button); }, timeoutMs);
    }

    bool Shot(const std::string &name)
    {
        if (screens_.empty())
            return true;
        // Let the page paint first.
        Sleep(300);
        return SaveWindowPicture(wizard_, screens_ + name + ".png");
    }

    // A message standing in the way, if any.
    std::string Blocking()
    {
        HWND box = WaitForDialog("Setup", 0);
        return box ? "a message says \"" + ControlTextOf(box, 0xFFFF) + "\"" : "nothing in the way";
    }

    bool Fail(const std::string &why)
    {
        failure = why;
        return false;
    }

    std::string caption_;
    std::string screens_;
    HWND wizard_ = nullptr;
};

} // namespace

WalkResult WalkInstallWizard(const std::string &commandLine, const std::string &caption,
                             const std::string &screensFolder)
{
    WalkResult result;
    HANDLE program = StartProgram(commandLine);
    if (!program) {
        result.failure = "cannot start " + commandLine;
        return result;
    }
    Walk walk(caption, screensFolder);
    result.walked = walk.Run(result);
    result.failure = walk.failure;
    result.exitCode = WaitForExit(program, result.walked ? 60000 : 1000);
    if (result.exitCode == -2 && !result.walked)
        TerminateProcess(program, 1);
    CloseHandle(program);
    return result;
}
