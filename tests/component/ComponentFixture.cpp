#include "ComponentFixture.h"

#include <shlobj.h>
#include <tlhelp32.h>

const char kDefaultSettings[] =
    "[Link]\r\nBytesPerSecond=460800\r\nLatencyMs=10\r\n"
    "[Phones]\r\nCount=1\r\n"
    "[Phone1]\r\nOID=VP1\r\nType=RH-9\r\nName=Virtual RH-9\r\nAttached=1\r\nStream=1\r\n"
    "[Faults]\r\nNextReply=\r\nDelayMs=5000\r\nRefuseBegin=0\r\n";

std::string ComponentFolder()
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    std::string folder = std::string(path) + "\\TWMPC";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ReadTextFile(const std::string &path)
{
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

std::string Narrow(BSTR text)
{
    std::string out;
    for (UINT i = 0; text && i < SysStringLen(text); ++i)
        out += static_cast<char>(text[i]);
    return out;
}

void WriteSettingsFile(const std::string &text)
{
    std::string path = ComponentFolder() + "\\TWMPC.ini";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void SetSetting(const char *section, const char *key, const char *value)
{
    WritePrivateProfileStringA(section, key, value, (ComponentFolder() + "\\TWMPC.ini").c_str());
}

std::string GetSetting(const char *section, const char *key)
{
    char text[256] = {};
    GetPrivateProfileStringA(section, key, "", text, sizeof text, (ComponentFolder() + "\\TWMPC.ini").c_str());
    return text;
}

Exchange Transact(ITWMsgStream *stream, const Bytes &request, LONG timeout)
{
    Exchange e;
    VARIANT message;
    VariantInit(&message);
    SAFEARRAY *array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(request.size()));
    if (!request.empty()) {
        void *data = nullptr;
        SafeArrayAccessData(array, &data);
        memcpy(data, request.data(), request.size());
        SafeArrayUnaccessData(array);
    }
    V_VT(&message) = VT_ARRAY | VT_UI1;
    V_ARRAY(&message) = array;
    LONG xact = 0;
    e.begin = stream->Begin(message, &xact);
    VariantClear(&message);
    if (FAILED(e.begin))
        return e;
    e.wait = stream->Wait(xact, timeout);
    if (e.wait == S_OK) {
        VARIANT reply;
        VariantInit(&reply);
        e.recv = stream->Recv(xact, &reply);
        e.type = V_VT(&reply);
        if (V_VT(&reply) == (VT_ARRAY | VT_UI1) && V_ARRAY(&reply)) {
            void *data = nullptr;
            SafeArrayAccessData(V_ARRAY(&reply), &data);
            const uint8_t *bytes = static_cast<const uint8_t *>(data);
            e.reply.assign(bytes, bytes + V_ARRAY(&reply)->rgsabound[0].cElements);
            SafeArrayUnaccessData(V_ARRAY(&reply));
        }
        VariantClear(&reply);
    }
    EXPECT_EQ(S_OK, stream->End(xact));
    return e;
}

void WaitForServerExit()
{
    for (int tries = 0; tries < 200; ++tries) {
        bool running = false;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
            if (lstrcmpiA(entry.szExeFile, "TWMPC.exe") == 0)
                running = true;
        CloseHandle(snapshot);
        if (!running)
            return;
        Sleep(50);
    }
    ADD_FAILURE() << "a TWMPC.exe of an earlier case is still running";
}

void ComponentTest::SetUp()
{
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    WaitForServerExit();
    ASSERT_EQ(S_OK, RegisterComponentStandIn());

    std::string folder = ComponentFolder();
    DeleteFileA((folder + "\\Requests.log").c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.tones").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    WriteSettingsFile(kDefaultSettings);
}

void ComponentTest::TearDown()
{
    manager.Reset();
    CoUninitialize();
}

ComPtr<ITWDevMgr> ComponentTest::CreateManager()
{
    ComPtr<ITWDevMgr> created;
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_TWDevMgr, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                     IID_ITWDevMgr, reinterpret_cast<void **>(created.Receive())));
    return created;
}

std::vector<ComPtr<ITWDevice>> ComponentTest::Devices()
{
    std::vector<ComPtr<ITWDevice>> devices;
    if (!manager)
        manager = CreateManager();
    if (!manager)
        return devices;
    ComPtr<IEnumUnknown> list;
    EXPECT_EQ(S_OK, manager->EnumDevices(0, list.Receive()));
    if (!list)
        return devices;
    IUnknown *item = nullptr;
    ULONG fetched = 0;
    while (list->Next(1, &item, &fetched) == S_OK && fetched == 1) {
        ComPtr<IUnknown> owned(item);
        ComPtr<ITWDevice> device;
        EXPECT_EQ(S_OK, owned.As(IID_ITWDevice, device));
        devices.push_back(device);
    }
    return devices;
}

ComPtr<ITWDevice> ComponentTest::DeviceById(const char *oid)
{
    for (ComPtr<ITWDevice> &device : Devices()) {
        BSTR id = nullptr;
        device->get_OID(&id);
        bool match = Narrow(id) == oid;
        SysFreeString(id);
        if (match)
            return device;
    }
    return ComPtr<ITWDevice>();
}

ComPtr<ITWMsgStream> ComponentTest::StreamOf(ITWDevice *device)
{
    ComPtr<ITWMsgStream> stream;
    BSTR service = SysAllocString(L"NkMsgStm:");
    ComPtr<IUnknown> object;
    if (SUCCEEDED(device->QueryService(service, object.Receive())) && object)
        object.As(IID_ITWMsgStream, stream);
    SysFreeString(service);
    return stream;
}

ComPtr<ITWMsgStream> ComponentTest::DefaultStream()
{
    ComPtr<ITWDevice> device = DeviceById("VP1");
    if (!device)
        return ComPtr<ITWMsgStream>();
    return StreamOf(device.Get());
}

std::vector<std::string> ComponentTest::RecordedRequests()
{
    std::vector<std::string> lines;
    std::string text = ReadTextFile(ComponentFolder() + "\\Requests.log");
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}
