// Test helper: catches the dialogs (message boxes, dialog boxes, property
// sheets, common dialogs) that code under test shows on the current thread,
// records what they look like, and answers them, all without a person and
// without any seam in the code under test.
//
// While a DialogCatcher lives, a thread-local CBT hook sees each dialog
// window (class "#32770") the first time it is activated. The catcher records
// it, then either gives it to the handler the test registered or, for a
// message box, presses the next scripted button (IDOK when the script is
// empty). Answers are posted, so the dialog's own modal loop closes it.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct CaughtDialog {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    // The message box's text (its static control 0xFFFF); empty for other dialogs.
    std::string text;
    // A static icon control that holds an icon.
    bool hasIcon = false;
    // Control ids of the visible push buttons, ascending (IDOK, IDCANCEL, IDYES, ...).
    std::vector<int> buttons;
    // The button pressed by the script; 0 when a handler took the dialog.
    int answer = 0;
};

class DialogCatcher {
public:
    // Returns true when it dealt with the dialog (it must then close it
    // itself, e.g. with PressButton); false leaves it to the script.
    using Handler = std::function<bool(HWND dialog)>;

    DialogCatcher();
    ~DialogCatcher();
    DialogCatcher(const DialogCatcher &) = delete;
    DialogCatcher &operator=(const DialogCatcher &) = delete;

    // The button that the next scripted answer presses.
    void Answer(int buttonId) { script_.push_back(buttonId); }
    void SetHandler(Handler handler) { handler_ = std::move(handler); }

    const std::vector<CaughtDialog> &Caught() const { return caught_; }
    void Clear() { caught_.clear(); }

    // Posts a click of control id to the dialog (a WM_COMMAND, as a button sends).
    static void PressButton(HWND dialog, int id);
    // Describes a dialog window as the catcher records it.
    static CaughtDialog Describe(HWND dialog);

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND window);

    HHOOK hook_ = nullptr;
    DialogCatcher *outer_ = nullptr;
    Handler handler_;
    std::deque<int> script_;
    std::vector<CaughtDialog> caught_;
    // Dialogs already seen: a dialog is activated again whenever a box it
    // owns closes.
    std::vector<HWND> seen_;
};
