// TWMPCUI.dll: the class object of TWDevMgrProps and the self-registration
// entry points.
#include "PageLibrary.h"

#include <objbase.h>
#include <olectl.h>

#include <string>

#include "ClassFactory.h"
#include "RegistryTree.h"
#include "SettingsPage.h"
#include "TWMPC.h"

namespace {

HINSTANCE instance = nullptr;
LONG locks = 0;
ClassFactory factory(SettingsPage::Create, nullptr, LockPageLibrary);

std::string ClassKey()
{
    return "CLSID\\" + GuidText(CLSID_TWDevMgrProps);
}

} // namespace

HINSTANCE PageLibraryInstance()
{
    return instance;
}

void LockPageLibrary(bool lock)
{
    if (lock)
        InterlockedIncrement(&locks);
    else
        InterlockedDecrement(&locks);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        instance = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    return locks == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_TWDevMgrProps))
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, object);
}

STDAPI DllRegisterServer()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return SELFREG_E_CLASS;
    std::string key = ClassKey();
    LONG result = SetRegistryText(HKEY_CLASSES_ROOT, key, nullptr, "TWDevMgrProps Class");
    if (result == ERROR_SUCCESS)
        result = SetRegistryText(HKEY_CLASSES_ROOT, key + "\\InprocServer32", nullptr, path);
    if (result == ERROR_SUCCESS)
        result = SetRegistryText(HKEY_CLASSES_ROOT, key + "\\InprocServer32", "ThreadingModel", "Apartment");
    if (result != ERROR_SUCCESS) {
        DeleteRegistryTree(HKEY_CLASSES_ROOT, key);
        return SELFREG_E_CLASS;
    }
    return S_OK;
}

STDAPI DllUnregisterServer()
{
    return DeleteRegistryTree(HKEY_CLASSES_ROOT, ClassKey()) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}
