#include "DialogCatcher.h"

#include <algorithm>

namespace {

// The catcher of this thread; catchers nest, the innermost answers.
thread_local DialogCatcher *current = nullptr;

// The text control of a message box, on Windows and on Wine alike.
constexpr int kMessageBoxTextId = 0xFFFF;

bool IsDialogWindow(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM param)
{
    CaughtDialog &dialog = *reinterpret_cast<CaughtDialog *>(param);
    if (GetParent(child) != dialog.window)
        return TRUE;
    LONG style = GetWindowLongA(child, GWL_STYLE);
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        if (SendMessageA(child, STM_GETICON, 0, 0) != 0)
            dialog.hasIcon = true;
    } else if (lstrcmpiA(name, "Button") == 0 && (style & WS_VISIBLE)) {
        LONG type = style & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            dialog.buttons.push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

} // namespace

DialogCatcher::DialogCatcher() : outer_(current)
{
    hook_ = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    current = this;
}

DialogCatcher::~DialogCatcher()
{
    current = outer_;
    if (hook_)
        UnhookWindowsHookEx(hook_);
}

void DialogCatcher::PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

CaughtDialog DialogCatcher::Describe(HWND dialog)
{
    CaughtDialog d;
    d.window = dialog;
    d.owner = GetWindow(dialog, GW_OWNER);
    d.caption = WindowText(dialog);
    if (HWND text = GetDlgItem(dialog, kMessageBoxTextId))
        d.text = WindowText(text);
    EnumChildWindows(dialog, DescribeChild, reinterpret_cast<LPARAM>(&d));
    std::sort(d.buttons.begin(), d.buttons.end());
    return d;
}

LRESULT CALLBACK DialogCatcher::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    DialogCatcher *self = current;
    if (self) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE)
            self->OnActivate(window);
        else if (code == HCBT_DESTROYWND)
            self->seen_.erase(std::remove(self->seen_.begin(), self->seen_.end(), window),
                              self->seen_.end());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogCatcher::OnActivate(HWND window)
{
    if (!IsDialogWindow(window) || std::find(seen_.begin(), seen_.end(), window) != seen_.end())
        return;
    seen_.push_back(window);
    // Recorded first, so that dialogs a handler opens come after this one.
    size_t index = caught_.size();
    caught_.push_back(Describe(window));
    if (handler_ && handler_(window))
        return;
    int answer = IDOK;
    if (!script_.empty()) {
        answer = script_.front();
        script_.pop_front();
    }
    caught_[index].answer = answer;
    PressButton(window, answer);
}
