// A stand-in property-page library: its entry points record and remove its
// own path under the tests' registry key.
#include "TestRegistration.h"

namespace {

HMODULE self;

HRESULT Record(bool registered)
{
    char path[MAX_PATH];
    GetModuleFileNameA(self, path, sizeof path);
    RecordRegistration(path, registered);
    return S_OK;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        self = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
    return Record(true);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return Record(false);
}
