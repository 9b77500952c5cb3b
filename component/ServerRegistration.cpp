#include "ServerRegistration.h"

#include <oleauto.h>

#include <string>

#include "ComPtr.h"
#include "RegistryTree.h"
#include "TWMPC.h"

namespace {

#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif

const IID *const kInterfaces[] = {&IID_ITWDevMgr, &IID_ITWDevice, &IID_ITWMsgStream, &DIID__ITWDevListEvents};

std::string ClassKey()
{
    return "CLSID\\" + GuidText(CLSID_TWDevMgr);
}

HRESULT FromRegistry(LONG result)
{
    return result == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(result);
}

} // namespace

HRESULT RegisterServer()
{
    wchar_t widePath[MAX_PATH];
    char path[MAX_PATH];
    DWORD wideLength = GetModuleFileNameW(nullptr, widePath, MAX_PATH);
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (wideLength == 0 || wideLength >= MAX_PATH || length == 0 || length >= MAX_PATH)
        return E_FAIL;

    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(widePath, REGKIND_REGISTER, library.Receive());
    if (FAILED(hr))
        return hr;

    std::string key = ClassKey();
    // The path is quoted: the component is installed under "Program Files".
    LONG result = SetRegistryText(HKEY_CLASSES_ROOT, key, nullptr, "TWDevMgr Class");
    if (result == ERROR_SUCCESS)
        result = SetRegistryText(HKEY_CLASSES_ROOT, key + "\\LocalServer32", nullptr, "\"" + std::string(path) + "\"");
    if (result == ERROR_SUCCESS)
        result = SetRegistryText(HKEY_CLASSES_ROOT, key + "\\TypeLib", nullptr, GuidText(LIBID_TWMPCLib));
    if (result == ERROR_SUCCESS)
        result = SetRegistryText(HKEY_CLASSES_ROOT, key + "\\Version", nullptr, "1.0");
    if (result != ERROR_SUCCESS) {
        UnregisterServer();
        return FromRegistry(result);
    }
    return S_OK;
}

HRESULT UnregisterServer()
{
    // Removes the interfaces' keys as far as the registered library names
    // them; the keys are deleted below in any case, also when the library's
    // registration is damaged or gone.
    UnRegisterTypeLib(LIBID_TWMPCLib, 1, 0, LOCALE_NEUTRAL, kSysKind);

    LONG result = DeleteRegistryTree(HKEY_CLASSES_ROOT, ClassKey());
    for (const IID *iid : kInterfaces) {
        LONG r = DeleteRegistryTree(HKEY_CLASSES_ROOT, "Interface\\" + GuidText(*iid));
        if (result == ERROR_SUCCESS)
            result = r;
    }
    LONG r = DeleteRegistryTree(HKEY_CLASSES_ROOT, "TypeLib\\" + GuidText(LIBID_TWMPCLib));
    if (result == ERROR_SUCCESS)
        result = r;
    return FromRegistry(result);
}
