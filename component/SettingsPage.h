// Class TWDevMgrProps: the property page of the component's settings. It
// edits the virtual phones (product code, name, attached, stream) and the
// link; applying writes the settings file, which the running device
// manager reads again, announcing the phones attached and detached.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "ComPtr.h"
#include "Settings.h"

class SettingsPage final : public IPropertyPage {
public:
    static HRESULT Create(void *context, REFIID iid, void **object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite *site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO *info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown **objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDir) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG *message) override;

private:
    SettingsPage();
    ~SettingsPage();

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id, WORD code);
    void ShowPhones(int select);
    void ShowSelected();
    void TakeSelected();
    void TakeLink();
    void SetDirty();

    ULONG references_ = 1;
    ComPtr<IPropertyPageSite> site_;
    ComPtr<IUnknown> object_;
    HWND dialog_ = nullptr;
    HWND frame_ = nullptr;
    WNDPROC frameProc_ = nullptr;
    ComponentSettings settings_;
    bool dirty_ = false;
    bool showing_ = false; // controls are being filled: their notifications are no edits
};
