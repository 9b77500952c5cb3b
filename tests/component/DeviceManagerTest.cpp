// The device manager, its devices and their streams, seen from a client.
#include "ComponentFixture.h"

namespace {

std::string Text(ITWDevice *device, HRESULT (STDMETHODCALLTYPE ITWDevice::*get)(BSTR *))
{
    BSTR text = nullptr;
    EXPECT_EQ(S_OK, (device->*get)(&text));
    std::string out = Narrow(text);
    SysFreeString(text);
    return out;
}

using TwmpcDeviceManager = ComponentTest;

TEST_F(TwmpcDeviceManager, FirstUseOffersOneAttachedRH9)
{
    // No settings at all: the component writes its first-use phone.
    DeleteFileA((ComponentFolder() + "\\TWMPC.ini").c_str());
    manager = CreateManager();
    ASSERT_TRUE(manager);
    EXPECT_EQ(S_OK, manager->Initialize(0));
    std::vector<ComPtr<ITWDevice>> devices = Devices();
    ASSERT_EQ(1u, devices.size());
    EXPECT_EQ("VP1", Text(devices[0].Get(), &ITWDevice::get_OID));
    EXPECT_EQ("RH-9", Text(devices[0].Get(), &ITWDevice::get_Type));
    EXPECT_EQ("Virtual RH-9", Text(devices[0].Get(), &ITWDevice::get_Name));
    TWDStatus status = twdsUnknown;
    EXPECT_EQ(S_OK, devices[0]->get_Status(&status));
    EXPECT_EQ(twdsActive, status);
    EXPECT_TRUE(StreamOf(devices[0].Get()));
    EXPECT_EQ("RH-9", GetSetting("Phone1", "Type"));
    EXPECT_EQ(S_OK, manager->Shutdown(0));
}

TEST_F(TwmpcDeviceManager, ListsOnlyAttachedPhonesWithTheirCodesAsWritten)
{
    WriteSettingsFile("[Phones]\r\nCount=4\r\n"
                      "[Phone1]\r\nOID=A1\r\nType=rh-9\r\nName=Lower case\r\n"
                      "[Phone2]\r\nOID=A2\r\nType=XYZ-1\r\nName=Unsupported\r\n"
                      "[Phone3]\r\nOID=A3\r\nType=NHM-8\r\nName=Away\r\nAttached=0\r\n"
                      "[Phone4]\r\nOID=bad id\r\nType=RH-9\r\nName=Invalid\r\n");
    std::vector<ComPtr<ITWDevice>> devices = Devices();
    ASSERT_EQ(2u, devices.size());
    EXPECT_EQ("A1", Text(devices[0].Get(), &ITWDevice::get_OID));
    EXPECT_EQ("rh-9", Text(devices[0].Get(), &ITWDevice::get_Type));
    EXPECT_EQ("A2", Text(devices[1].Get(), &ITWDevice::get_OID));
    EXPECT_EQ("XYZ-1", Text(devices[1].Get(), &ITWDevice::get_Type));
    EXPECT_EQ("Unsupported", Text(devices[1].Get(), &ITWDevice::get_Name));
}

TEST_F(TwmpcDeviceManager, EnumeratorSkipsResetsAndClones)
{
    WriteSettingsFile("[Phones]\r\nCount=3\r\n[Phone1]\r\nOID=A1\r\n[Phone2]\r\nOID=A2\r\n[Phone3]\r\nOID=A3\r\n");
    manager = CreateManager();
    ASSERT_TRUE(manager);
    ComPtr<IEnumUnknown> list;
    ASSERT_EQ(S_OK, manager->EnumDevices(0, list.Receive()));
    IUnknown *items[4] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_OK, list->Skip(1));
    ComPtr<IEnumUnknown> copy;
    ASSERT_EQ(S_OK, list->Clone(copy.Receive()));
    EXPECT_EQ(S_FALSE, list->Next(4, items, &fetched));
    EXPECT_EQ(2u, fetched);
    for (ULONG i = 0; i < fetched; ++i)
        items[i]->Release();
    EXPECT_EQ(S_FALSE, list->Skip(1));
    EXPECT_EQ(S_OK, list->Reset());
    EXPECT_EQ(S_OK, list->Next(3, items, &fetched));
    EXPECT_EQ(3u, fetched);
    for (ULONG i = 0; i < fetched; ++i)
        items[i]->Release();
    EXPECT_EQ(S_OK, copy->Next(2, items, &fetched));
    EXPECT_EQ(2u, fetched);
    for (ULONG i = 0; i < fetched; ++i)
        items[i]->Release();
}

TEST_F(TwmpcDeviceManager, OnlyTheMessageStreamServiceIsOffered)
{
    ComPtr<ITWDevice> device = DeviceById("VP1");
    ASSERT_TRUE(device);
    const wchar_t *names[] = {L"NkMsgStm:", L"nkmsgstm:", L"NkMsgStm", L""};
    for (const wchar_t *name : names) {
        BSTR service = SysAllocString(name);
        VARIANT_BOOL present = VARIANT_FALSE;
        ComPtr<IUnknown> object;
        bool stream = name == names[0];
        EXPECT_EQ(S_OK, device->HasService(service, &present));
        EXPECT_EQ(stream ? VARIANT_TRUE : VARIANT_FALSE, present);
        EXPECT_EQ(stream ? S_OK : E_NOINTERFACE, device->QueryService(service, object.Receive()));
        EXPECT_EQ(stream, static_cast<bool>(object));
        SysFreeString(service);
    }
}

TEST_F(TwmpcDeviceManager, RenamingAPhoneKeepsTheNewNameInTheSettings)
{
    ComPtr<ITWDevice> device = DeviceById("VP1");
    ASSERT_TRUE(device);
    BSTR name = SysAllocString(L"Kitchen phone");
    EXPECT_EQ(S_OK, device->put_Name(name));
    SysFreeString(name);
    EXPECT_EQ("Kitchen phone", Text(device.Get(), &ITWDevice::get_Name));
    EXPECT_EQ("Kitchen phone", GetSetting("Phone1", "Name"));
}

TEST_F(TwmpcDeviceManager, StreamRefusesWhatIsNotAByteArrayAndUnknownTransactions)
{
    ComPtr<ITWMsgStream> stream = DefaultStream();
    ASSERT_TRUE(stream);
    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"1F07");
    LONG xact = 0;
    EXPECT_EQ(E_INVALIDARG, stream->Begin(text, &xact));
    VariantClear(&text);

    VARIANT reply;
    VariantInit(&reply);
    EXPECT_EQ(E_INVALIDARG, stream->Wait(12345, 10));
    EXPECT_EQ(E_INVALIDARG, stream->Recv(12345, &reply));
    EXPECT_EQ(VT_EMPTY, V_VT(&reply));
    EXPECT_EQ(E_INVALIDARG, stream->End(12345));
}

TEST_F(TwmpcDeviceManager, ReplyIsThereOnlyAfterTheLinkDelay)
{
    SetSetting("Link", "LatencyMs", "1500");
    ComPtr<ITWMsgStream> stream = DefaultStream();
    ASSERT_TRUE(stream);
    SAFEARRAY *array = SafeArrayCreateVector(VT_UI1, 0, 4);
    const uint8_t read[] = {0x1F, 0x12, 0x00, 0x02};
    void *data = nullptr;
    SafeArrayAccessData(array, &data);
    memcpy(data, read, 4);
    SafeArrayUnaccessData(array);
    VARIANT message;
    VariantInit(&message);
    V_VT(&message) = VT_ARRAY | VT_UI1;
    V_ARRAY(&message) = array;
    LONG xact = 0;
    ASSERT_EQ(S_OK, stream->Begin(message, &xact));
    // Begin copied the request: changing it now changes nothing.
    SafeArrayAccessData(array, &data);
    static_cast<uint8_t *>(data)[3] = 0x03;
    SafeArrayUnaccessData(array);
    VariantClear(&message);

    VARIANT reply;
    VariantInit(&reply);
    EXPECT_EQ(E_PENDING, stream->Recv(xact, &reply));
    EXPECT_EQ(S_FALSE, stream->Wait(xact, 100));
    EXPECT_EQ(S_OK, stream->Wait(xact, 4000));
    EXPECT_EQ(S_OK, stream->Recv(xact, &reply));
    ASSERT_EQ(VT_ARRAY | VT_UI1, V_VT(&reply));
    EXPECT_EQ(0x02, static_cast<uint8_t *>(V_ARRAY(&reply)->pvData)[3]);
    VariantClear(&reply);
    EXPECT_EQ(S_OK, stream->End(xact));
    // End closes a transaction once.
    EXPECT_EQ(E_INVALIDARG, stream->End(xact));
    EXPECT_EQ(E_INVALIDARG, stream->Wait(xact, 10));
}

} // namespace
