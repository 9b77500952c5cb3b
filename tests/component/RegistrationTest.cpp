// The registration contract: TWMPC.exe /regserver and /unregserver, the
// page library's entry points, and the version blocks installers look at.
#include "ComponentFixture.h"

#include "RegistryTree.h"

namespace {

bool KeyExists(const std::string &key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

std::vector<std::string> ComponentKeys()
{
    return {"CLSID\\" + GuidText(CLSID_TWDevMgr),
            "CLSID\\" + GuidText(CLSID_TWDevMgrProps),
            "Interface\\" + GuidText(IID_ITWDevMgr),
            "Interface\\" + GuidText(IID_ITWDevice),
            "Interface\\" + GuidText(IID_ITWMsgStream),
            "Interface\\" + GuidText(DIID__ITWDevListEvents),
            "TypeLib\\" + GuidText(LIBID_TWMPCLib)};
}

HRESULT CallEntry(const char *name)
{
    HMODULE library = LoadLibraryA(BesideTests("TWMPCUI.dll").c_str());
    if (!library)
        return E_FAIL;
    auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE *)()>(reinterpret_cast<void *>(GetProcAddress(library, name)));
    HRESULT hr = entry ? entry() : E_FAIL;
    FreeLibrary(library);
    return hr;
}

std::string Server()
{
    return "\"" + BesideTests("TWMPC.exe") + "\"";
}

using TwmpcRegistration = ComponentTest;

TEST_F(TwmpcRegistration, RegistersClassesInterfacesAndTheTypeLibrary)
{
    for (const std::string &key : ComponentKeys())
        EXPECT_TRUE(KeyExists(key)) << key;

    ComPtr<ITypeLib> library;
    ASSERT_EQ(S_OK, LoadRegTypeLib(LIBID_TWMPCLib, 1, 0, 0, library.Receive()));
    TLIBATTR *attr = nullptr;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attr));
    EXPECT_TRUE(IsEqualGUID(LIBID_TWMPCLib, attr->guid));
    library->ReleaseTLibAttr(attr);
    ComPtr<ITypeInfo> events;
    EXPECT_EQ(S_OK, library->GetTypeInfoOfGuid(DIID__ITWDevListEvents, events.Receive()));

    char server[MAX_PATH] = {};
    LONG size = sizeof server;
    ASSERT_EQ(ERROR_SUCCESS,
              RegQueryValueA(HKEY_CLASSES_ROOT, ("CLSID\\" + GuidText(CLSID_TWDevMgr) + "\\LocalServer32").c_str(),
                             server, &size));
    EXPECT_EQ(Server(), server);
}

TEST_F(TwmpcRegistration, UnregisteringLeavesNothingOfTheComponent)
{
    EXPECT_EQ(0u, RunProgram(Server() + " /unregserver"));
    EXPECT_EQ(S_OK, CallEntry("DllUnregisterServer"));
    for (const std::string &key : ComponentKeys())
        EXPECT_FALSE(KeyExists(key)) << key;
    ComPtr<ITWDevMgr> none;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_TWDevMgr, nullptr, CLSCTX_ALL, IID_ITWDevMgr,
                                                    reinterpret_cast<void **>(none.Receive())));

    // Unregistering what is not registered succeeds; registering again works.
    EXPECT_EQ(0u, RunProgram(Server() + " -UnregServer"));
    EXPECT_EQ(S_OK, CallEntry("DllUnregisterServer"));
    EXPECT_EQ(0u, RunProgram(Server() + " -RegServer"));
    EXPECT_TRUE(KeyExists("CLSID\\" + GuidText(CLSID_TWDevMgr) + "\\LocalServer32"));
}

TEST_F(TwmpcRegistration, FailureEndsWithANegativeResult)
{
    // A copy of the server whose type library is damaged.
    std::string copy = BesideTests("TWMPC-damaged-library.exe");
    ASSERT_TRUE(CopyFileA(BesideTests("TWMPC.exe").c_str(), copy.c_str(), FALSE));
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    ASSERT_NE(nullptr, update);
    char junk[64] = "not a type library";
    ASSERT_TRUE(UpdateResourceA(update, "TYPELIB", MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), junk,
                                sizeof junk));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    DWORD code = RunProgram("\"" + copy + "\" /regserver");
    DeleteFileA(copy.c_str());
    EXPECT_LT(static_cast<LONG>(code), 0);
}

TEST_F(TwmpcRegistration, BothFilesDeclareThemselvesSelfRegistering)
{
    for (const char *file : {"TWMPC.exe", "TWMPCUI.dll"}) {
        std::string path = BesideTests(file);
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        ASSERT_GT(size, 0u) << file;
        std::vector<char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
        struct Translation {
            WORD language;
            WORD codePage;
        } *translations = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translations),
                                   &length));
        ASSERT_GE(length, sizeof(Translation));
        char query[64];
        snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\OleSelfRegister", translations[0].language,
                 translations[0].codePage);
        void *value = nullptr;
        EXPECT_TRUE(VerQueryValueA(block.data(), query, &value, &length)) << file;
    }
}

} // namespace
