#include <windows.h>
#include <oleauto.h>
#include <gtest/gtest.h>

#include "TWMPC.h"
#include "InterfaceSlots.h"

namespace {

GUID ParseGuid(const wchar_t *text)
{
    GUID guid{};
    EXPECT_EQ(S_OK, CLSIDFromString(const_cast<LPOLESTR>(text), &guid)) << text;
    return guid;
}

TEST(ComponentInterfaces, NamedMethodsSitInTheirSlots)
{
    for (int i = 0; i < kMethodSlotCount; ++i)
        EXPECT_EQ(kMethodSlots[i].expected, kMethodSlots[i].actual) << kMethodSlots[i].method;
}

struct NamedGuid {
    const char *name;
    const GUID &actual;
    const wchar_t *expected;
};

const NamedGuid kGuids[] = {
    {"LIBID_TWMPCLib", LIBID_TWMPCLib, L"{57453677-EB3B-415C-9A1B-B66331D73D21}"},
    {"CLSID_TWDevMgr", CLSID_TWDevMgr, L"{F38CF92D-30A6-4542-A747-CFC5E5AC74A3}"},
    {"IID_ITWDevMgr", IID_ITWDevMgr, L"{A75C25DB-6E09-44EE-B9A2-3DDA9F2DF027}"},
    {"IID_ITWDevice", IID_ITWDevice, L"{4966BDD7-0C4F-4B71-A725-6A3207699AEA}"},
    {"IID_ITWMsgStream", IID_ITWMsgStream, L"{8DBD58D2-A10E-4C51-83CF-C023E8C957D5}"},
    {"DIID__ITWDevListEvents", DIID__ITWDevListEvents, L"{962F9D5C-AF82-4804-B1D1-4D9BA94B99B1}"},
    {"CLSID_TWDevMgrProps", CLSID_TWDevMgrProps, L"{392610C2-50BF-441E-930F-6E3B896962EF}"},
};

TEST(ComponentInterfaces, GeneratedGuidsMatchTheComponent)
{
    for (const NamedGuid &g : kGuids)
        EXPECT_TRUE(IsEqualGUID(ParseGuid(g.expected), g.actual)) << g.name;
}

class TypeLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, LoadTypeLibEx(TWMPC_TLB_PATH, REGKIND_NONE, &lib));
    }
    void TearDown() override
    {
        if (lib)
            lib->Release();
    }
    ITypeLib *lib = nullptr;
};

TEST_F(TypeLibrary, CarriesTheComponentLibidVersionAndName)
{
    TLIBATTR *attr = nullptr;
    ASSERT_EQ(S_OK, lib->GetLibAttr(&attr));
    EXPECT_TRUE(IsEqualGUID(ParseGuid(L"{57453677-EB3B-415C-9A1B-B66331D73D21}"), attr->guid));
    EXPECT_EQ(1, attr->wMajorVerNum);
    EXPECT_EQ(0, attr->wMinorVerNum);
    lib->ReleaseTLibAttr(attr);

    BSTR doc = nullptr;
    ASSERT_EQ(S_OK, lib->GetDocumentation(-1, nullptr, &doc, nullptr, nullptr));
    EXPECT_STREQ(L"TWMPC 1.0 Type Library", doc);
    SysFreeString(doc);
}

TEST_F(TypeLibrary, DescribesEveryInterfaceAndClass)
{
    const GUID *guids[] = {&IID_ITWDevMgr, &IID_ITWDevice, &IID_ITWMsgStream,
                           &DIID__ITWDevListEvents, &CLSID_TWDevMgr, &CLSID_TWDevMgrProps};
    for (const GUID *guid : guids) {
        ITypeInfo *info = nullptr;
        EXPECT_EQ(S_OK, lib->GetTypeInfoOfGuid(*guid, &info));
        if (info)
            info->Release();
    }
}

TEST_F(TypeLibrary, EventDispidsFollowTheComponent)
{
    ITypeInfo *info = nullptr;
    ASSERT_EQ(S_OK, lib->GetTypeInfoOfGuid(DIID__ITWDevListEvents, &info));
    const struct {
        const wchar_t *name;
        MEMBERID id;
        int params;
    } events[] = {{L"DeviceAdded", 1, 1},   {L"DeviceModified", 2, 1},
                  {L"DeviceDeleted", 3, 1}, {L"DeviceRenamed", 4, 2},
                  {L"DeviceStatusChanged", 5, 2}};
    for (const auto &e : events) {
        LPOLESTR name = const_cast<LPOLESTR>(e.name);
        MEMBERID id = MEMBERID_NIL;
        EXPECT_EQ(S_OK, info->GetIDsOfNames(&name, 1, &id)) << e.name;
        EXPECT_EQ(e.id, id) << e.name;
    }
    TYPEATTR *attr = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC *func = nullptr;
        ASSERT_EQ(S_OK, info->GetFuncDesc(i, &func));
        for (const auto &e : events) {
            if (e.id == func->memid)
                EXPECT_EQ(e.params, func->cParams) << "dispid " << e.id;
        }
        info->ReleaseFuncDesc(func);
    }
    info->ReleaseTypeAttr(attr);
    info->Release();
}

} // namespace
