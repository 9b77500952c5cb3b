#include "SettingsPage.h"

#include <prsht.h>

#include "PageLibrary.h"
#include "PageResources.h"
#include "QueryInterfaceOf.h"

namespace {

const char kPageProperty[] = "TWMPCUI.SettingsPage";

std::string ControlText(HWND dialog, int id)
{
    char text[kMaxSettingText + 1] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string PhoneLine(const VirtualPhone &phone)
{
    std::string line = phone.name + " (" + phone.type + ")";
    if (!phone.attached)
        line += " - detached";
    return line;
}

INT_PTR CALLBACK ProbeProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

} // namespace

HRESULT SettingsPage::Create(void *, REFIID iid, void **object)
{
    SettingsPage *page = new SettingsPage();
    HRESULT hr = page->QueryInterface(iid, object);
    page->Release();
    return hr;
}

SettingsPage::SettingsPage()
{
    LockPageLibrary(true);
}

SettingsPage::~SettingsPage()
{
    LockPageLibrary(false);
}

HRESULT STDMETHODCALLTYPE SettingsPage::QueryInterface(REFIID iid, void **object)
{
    return QueryInterfaceOf(static_cast<IPropertyPage *>(this), iid, IID_IPropertyPage, false, object);
}

ULONG STDMETHODCALLTYPE SettingsPage::AddRef()
{
    return ++references_;
}

ULONG STDMETHODCALLTYPE SettingsPage::Release()
{
    ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE SettingsPage::SetPageSite(IPropertyPageSite *site)
{
    site_ = ComPtr<IPropertyPageSite>::Share(site);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SettingsPage::Activate(HWND parent, LPCRECT rect, BOOL)
{
    if (dialog_)
        return E_UNEXPECTED;
    settings_ = LoadSettings();
    dirty_ = false;
    dialog_ = CreateDialogParamA(PageLibraryInstance(), MAKEINTRESOURCEA(IDD_SETTINGS_PAGE), parent, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (!dialog_)
        return E_OUTOFMEMORY;
    if (rect)
        Move(rect);

    // A frame built on a property sheet (Wine's) tells its pages of OK and
    // Apply only by PSN_APPLY to the page's parent and never calls Apply:
    // listen there as well.
    if (parent && !GetPropA(parent, kPageProperty)) {
        SetPropA(parent, kPageProperty, this);
        frame_ = parent;
        frameProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SettingsPage::Deactivate()
{
    if (frame_) {
        SetWindowLongPtrA(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProc_));
        RemovePropA(frame_, kPageProperty);
        frame_ = nullptr;
        frameProc_ = nullptr;
    }
    if (dialog_) {
        DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SettingsPage::GetPageInfo(PROPPAGEINFO *info)
{
    if (!info)
        return E_POINTER;
    static const wchar_t title[] = L"Virtual phones";
    info->cb = sizeof *info;
    info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof title));
    if (info->pszTitle)
        memcpy(info->pszTitle, title, sizeof title);
    // The template's size in pixels, as the frame expects it: measured on
    // a hidden copy of the page.
    RECT area = {0, 0, 250, 150};
    HWND probe = CreateDialogParamA(PageLibraryInstance(), MAKEINTRESOURCEA(IDD_SETTINGS_PAGE), GetDesktopWindow(),
                                    ProbeProc, 0);
    if (probe) {
        GetWindowRect(probe, &area);
        DestroyWindow(probe);
    }
    info->size.cx = area.right - area.left;
    info->size.cy = area.bottom - area.top;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SettingsPage::SetObjects(ULONG count, IUnknown **objects)
{
    object_.Reset();
    if (count > 0 && objects)
        object_ = ComPtr<IUnknown>::Share(objects[0]);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SettingsPage::Show(UINT command)
{
    if (!dialog_)
        return E_UNEXPECTED;
    ShowWindow(dialog_, command);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SettingsPage::Move(LPCRECT rect)
{
    if (!dialog_ || !rect)
        return E_UNEXPECTED;
    MoveWindow(dialog_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SettingsPage::IsPageDirty()
{
    return dirty_ ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE SettingsPage::Apply()
{
    if (!dirty_)
        return S_OK;
    if (!SavePhonesAndLink(settings_))
        return E_FAIL;
    dirty_ = false;
    if (site_)
        site_->OnStatusChange(PROPPAGESTATUS_CLEAN);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SettingsPage::Help(LPCOLESTR)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE SettingsPage::TranslateAccelerator(MSG *message)
{
    return dialog_ && message && IsDialogMessageA(dialog_, message) ? S_OK : S_FALSE;
}

INT_PTR CALLBACK SettingsPage::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto *page = reinterpret_cast<SettingsPage *>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        if (page) {
            page->dialog_ = dialog;
            SendDlgItemMessageA(dialog, IDC_TYPE, EM_LIMITTEXT, kMaxSettingText, 0);
            SendDlgItemMessageA(dialog, IDC_NAME, EM_LIMITTEXT, kMaxSettingText, 0);
            page->ShowPhones(0);
        }
        return FALSE;
    }
    auto *page = reinterpret_cast<SettingsPage *>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_COMMAND && page) {
        page->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK SettingsPage::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *page = static_cast<SettingsPage *>(GetPropA(window, kPageProperty));
    WNDPROC next = page ? page->frameProc_ : nullptr;
    if (page && message == WM_NOTIFY && reinterpret_cast<NMHDR *>(lParam)->code == static_cast<UINT>(PSN_APPLY))
        page->Apply();
    return next ? CallWindowProcA(next, window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

void SettingsPage::OnCommand(WORD id, WORD code)
{
    if (showing_)
        return;
    switch (id) {
    case IDC_PHONES:
        if (code == LBN_SELCHANGE)
            ShowSelected();
        break;
    case IDC_ADD:
        if (code == BN_CLICKED && settings_.phones.size() < kMaxVirtualPhones) {
            VirtualPhone phone;
            phone.oid = NewPhoneOid(settings_.phones);
            phone.type = "RH-9";
            phone.name = "Virtual phone " + phone.oid.substr(2);
            settings_.phones.push_back(phone);
            ShowPhones(static_cast<int>(settings_.phones.size()) - 1);
            SetDirty();
        }
        break;
    case IDC_REMOVE:
        if (code == BN_CLICKED) {
            LRESULT selected = SendDlgItemMessageA(dialog_, IDC_PHONES, LB_GETCURSEL, 0, 0);
            if (selected >= 0 && static_cast<size_t>(selected) < settings_.phones.size()) {
                settings_.phones.erase(settings_.phones.begin() + selected);
                ShowPhones(selected > 0 ? static_cast<int>(selected) - 1 : 0);
                SetDirty();
            }
        }
        break;
    case IDC_TYPE:
    case IDC_NAME:
        if (code == EN_CHANGE)
            TakeSelected();
        break;
    case IDC_ATTACHED:
    case IDC_STREAM:
        if (code == BN_CLICKED)
            TakeSelected();
        break;
    case IDC_SPEED:
    case IDC_LATENCY:
        if (code == EN_CHANGE)
            TakeLink();
        break;
    default:
        break;
    }
}

void SettingsPage::ShowPhones(int select)
{
    showing_ = true;
    HWND list = GetDlgItem(dialog_, IDC_PHONES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const VirtualPhone &phone : settings_.phones)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PhoneLine(phone).c_str()));
    SendMessageA(list, LB_SETCURSEL, settings_.phones.empty() ? static_cast<WPARAM>(-1) : select, 0);
    SetDlgItemInt(dialog_, IDC_SPEED, static_cast<UINT>(settings_.link.bytesPerSecond), FALSE);
    SetDlgItemInt(dialog_, IDC_LATENCY, static_cast<UINT>(settings_.link.latencyMs), FALSE);
    showing_ = false;
    ShowSelected();
}

void SettingsPage::ShowSelected()
{
    showing_ = true;
    LRESULT selected = SendDlgItemMessageA(dialog_, IDC_PHONES, LB_GETCURSEL, 0, 0);
    bool any = selected >= 0 && static_cast<size_t>(selected) < settings_.phones.size();
    const VirtualPhone empty;
    const VirtualPhone &phone = any ? settings_.phones[selected] : empty;
    SetDlgItemTextA(dialog_, IDC_TYPE, any ? phone.type.c_str() : "");
    SetDlgItemTextA(dialog_, IDC_NAME, any ? phone.name.c_str() : "");
    CheckDlgButton(dialog_, IDC_ATTACHED, any && phone.attached ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_STREAM, any && phone.hasStream ? BST_CHECKED : BST_UNCHECKED);
    const int controls[] = {IDC_TYPE, IDC_NAME, IDC_ATTACHED, IDC_STREAM, IDC_REMOVE};
    for (int id : controls)
        EnableWindow(GetDlgItem(dialog_, id), any);
    EnableWindow(GetDlgItem(dialog_, IDC_ADD), settings_.phones.size() < kMaxVirtualPhones);
    showing_ = false;
}

void SettingsPage::TakeSelected()
{
    LRESULT selected = SendDlgItemMessageA(dialog_, IDC_PHONES, LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<size_t>(selected) >= settings_.phones.size())
        return;
    VirtualPhone &phone = settings_.phones[selected];
    phone.type = ControlText(dialog_, IDC_TYPE);
    phone.name = ControlText(dialog_, IDC_NAME);
    phone.attached = IsDlgButtonChecked(dialog_, IDC_ATTACHED) == BST_CHECKED;
    phone.hasStream = IsDlgButtonChecked(dialog_, IDC_STREAM) == BST_CHECKED;

    showing_ = true;
    HWND list = GetDlgItem(dialog_, IDC_PHONES);
    SendMessageA(list, LB_DELETESTRING, selected, 0);
    SendMessageA(list, LB_INSERTSTRING, selected, reinterpret_cast<LPARAM>(PhoneLine(phone).c_str()));
    SendMessageA(list, LB_SETCURSEL, selected, 0);
    showing_ = false;
    SetDirty();
}

void SettingsPage::TakeLink()
{
    BOOL ok = FALSE;
    UINT speed = GetDlgItemInt(dialog_, IDC_SPEED, &ok, FALSE);
    if (ok && speed > 0)
        settings_.link.bytesPerSecond = static_cast<long>(speed);
    UINT latency = GetDlgItemInt(dialog_, IDC_LATENCY, &ok, FALSE);
    if (ok)
        settings_.link.latencyMs = static_cast<long>(latency);
    SetDirty();
}

void SettingsPage::SetDirty()
{
    dirty_ = true;
    if (site_)
        site_->OnStatusChange(PROPPAGESTATUS_DIRTY);
}
