// TWMPC.exe: "/regserver" and "/unregserver" (also with '-') register and
// unregister the component and end with the result as exit code; started
// by COM ("-Embedding") it serves the device manager until its last object
// is released.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstring>

#include "ClassFactory.h"
#include "ComPtr.h"
#include "ServerObject.h"
#include "ServerRegistration.h"
#include "DeviceManager.h"
#include "TWMPC.h"
#include "VirtualPhones.h"

namespace {

// A server started by hand that nobody connects to ends after this long.
constexpr UINT kUnusedServerMs = 30000;

bool HasSwitch(const char *commandLine, const char *name)
{
    for (const char *p = commandLine; *p; ++p) {
        if ((*p == '/' || *p == '-') && (p == commandLine || p[-1] == ' ' || p[-1] == '"')) {
            size_t length = strlen(name);
            if (_strnicmp(p + 1, name, length) == 0 && (p[1 + length] == '\0' || p[1 + length] == ' '))
                return true;
        }
    }
    return false;
}

void CALLBACK EndIfUnused(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (!ServerWasUsed())
        PostQuitMessage(0);
}

ComPtr<ITypeLib> EmbeddedTypeLibrary()
{
    wchar_t path[MAX_PATH];
    ComPtr<ITypeLib> library;
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        LoadTypeLibEx(path, REGKIND_NONE, library.Receive());
    return library;
}

int RunMessageLoop(VirtualPhones &phones)
{
    HANDLE change = phones.FolderChanged();
    DWORD handles = change != INVALID_HANDLE_VALUE ? 1 : 0;
    for (;;) {
        DWORD woke = MsgWaitForMultipleObjects(handles, &change, FALSE, INFINITE, QS_ALLINPUT);
        if (handles && woke == WAIT_OBJECT_0) {
            phones.OnFolderChanged();
            continue;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

int Serve()
{
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    int exitCode = 1;
    {
        VirtualPhones phones(EmbeddedTypeLibrary());
        ClassFactory factory(DeviceManager::Create, &phones, LockServerProcess);
        DWORD cookie = 0;
        if (SUCCEEDED(CoRegisterClassObject(CLSID_TWDevMgr, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie))) {
            SetTimer(nullptr, 0, kUnusedServerMs, EndIfUnused);
            exitCode = RunMessageLoop(phones);
            CoRevokeClassObject(cookie);
        }
    }
    CoUninitialize();
    return exitCode;
}

HRESULT Registration(bool registering)
{
    HRESULT hr = CoInitialize(nullptr);
    if (FAILED(hr))
        return hr;
    hr = registering ? RegisterServer() : UnregisterServer();
    CoUninitialize();
    return hr;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    if (HasSwitch(commandLine, "regserver"))
        return static_cast<int>(Registration(true));
    if (HasSwitch(commandLine, "unregserver"))
        return static_cast<int>(Registration(false));
    return Serve();
}
