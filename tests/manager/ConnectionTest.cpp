// Start-up connection, the status line, the device-list events and the end
// of the connection, against the scripted phone.
#include "ManagerFixture.h"

using Connection = ManagerTest;

namespace {

const std::pair<std::string, std::string> kNotInstalled = {
    "Error", "Mobile phone connection component is not installed.\r\n\r\nPlease reinstall."};

} // namespace

TEST_F(Connection, StartsConnectedToAnRh9AndListsItsRingtones)
{
    FakeDevice *phone = AddDefaultPhone();
    Open();
    EXPECT_EQ("Connected to Nokia 6230", StatusText());
    for (int id : {IDC_GET_TONE, IDC_WRITE_TONE, IDC_RINGTONES, IDC_ERASE_TONE})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ((std::vector<ListItem>{{"Polka", 0x0101}, {"Sirens", 0x0102}, {"Tones", 0x0103}}), ListItems(List()));
    EXPECT_EQ(std::vector<std::wstring>{L"NkMsgStm:"}, phone->servicesAsked);
    EXPECT_EQ(1, manager->adviseCalls);
    EXPECT_EQ(1, manager->initializeCalls);
    // The main listing: FE 00, answered within 3000 ms.
    ASSERT_EQ(1u, phone->stream->requests.size());
    EXPECT_EQ((std::vector<uint8_t>{0x1F, 0x07, 0x00, 0x00, 0xFE, 0x00}), phone->stream->requests[0]);
    EXPECT_EQ(std::vector<long>{3000}, phone->stream->timeouts);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Connection, NameThatCannotBeReadLeavesConnectedToAlone)
{
    AddPhone(L"usb-1", L"NHL-4", L"");
    Open();
    EXPECT_EQ("Connected to ", StatusText());
}

// Phones that are not connected to: the status keeps its template text and
// the controls stay enabled.
struct NoConnectionCase {
    const char *what;
    std::vector<std::wstring> types;
};

class NoConnection : public ManagerTest, public ::testing::WithParamInterface<NoConnectionCase> {};

TEST_P(NoConnection, KeepsNotConnectedWithControlsEnabled)
{
    int n = 0;
    for (const std::wstring &type : GetParam().types)
        AddPhone(L"dev-" + std::to_wstring(n++), type, L"Phone");
    Open();
    EXPECT_EQ("Not connected", StatusText());
    for (int id : {IDC_GET_TONE, IDC_WRITE_TONE, IDC_RINGTONES, IDC_ERASE_TONE})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(ListItems(List()).empty());
    EXPECT_TRUE(Messages().empty());
    for (FakeDevice *device : manager->devices)
        EXPECT_TRUE(device->servicesAsked.empty());
}

INSTANTIATE_TEST_SUITE_P(Phones, NoConnection,
                         ::testing::Values(NoConnectionCase{"none", {}},
                                           NoConnectionCase{"unsupported", {L"RM-1", L"NHM-9"}},
                                           NoConnectionCase{"lower case", {L"rh-9"}},
                                           NoConnectionCase{"trailing space", {L"RH-9 "}},
                                           NoConnectionCase{"leading space", {L" NPM-8"}},
                                           NoConnectionCase{"empty", {L""}}),
                         [](const ::testing::TestParamInfo<NoConnectionCase> &info) {
                             std::string name = info.param.what;
                             for (char &c : name)
                                 if (c == ' ')
                                     c = '_';
                             return name;
                         });

TEST_F(Connection, EachSupportedModelConnects)
{
    for (const wchar_t *type : {L"NHM-8", L"RH-9", L"NPM-8", L"NHL-4"}) {
        AddPhone(L"dev", type, type);
        Open();
        EXPECT_EQ("Connected to " + std::string(type, type + wcslen(type)), StatusText());
        Close();
        manager->Release();
        manager = new FakeDeviceManager;
    }
}

TEST_F(Connection, FirstSupportedPhoneWithoutStreamEndsTheSearch)
{
    AddPhone(L"other", L"RM-1", L"Unsupported");
    FakeDevice *first = AddPhone(L"first", L"NPM-8", L"No stream", false);
    FakeDevice *second = AddDefaultPhone();
    Open();
    EXPECT_EQ("Not connected", StatusText());
    EXPECT_EQ(1u, first->servicesAsked.size());
    EXPECT_TRUE(second->servicesAsked.empty());
    EXPECT_TRUE(second->stream->requests.empty());
    EXPECT_TRUE(Enabled(IDC_GET_TONE));
}

TEST_F(Connection, FirstOfTwoSupportedPhonesIsUsed)
{
    AddPhone(L"a", L"NHM-8", L"First");
    FakeDevice *second = AddPhone(L"b", L"RH-9", L"Second");
    Open();
    EXPECT_EQ("Connected to First", StatusText());
    EXPECT_TRUE(second->servicesAsked.empty());
}

// The connected phone's status changes: every status but twdsActive ends
// the connection, keeping the list; control 205 is left alone.
class StatusChange : public ManagerTest, public ::testing::WithParamInterface<TWDStatus> {};

TEST_P(StatusChange, OfTheConnectedPhone)
{
    AddDefaultPhone();
    Open();
    SelectItem(List(), 1);
    manager->FireStatusChanged(L"usb-1", GetParam());
    bool ends = GetParam() != twdsActive;
    EXPECT_EQ(ends ? "Not connected" : "Connected to Nokia 6230", StatusText());
    for (int id : {IDC_GET_TONE, IDC_WRITE_TONE, IDC_RINGTONES})
        EXPECT_EQ(!ends, Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_ERASE_TONE));
    EXPECT_EQ(3u, ListItems(List()).size());
    uint16_t location = 0;
    EXPECT_TRUE(SelectedRingtone(List(), location));
    EXPECT_EQ(0x0102, location);
}

TEST_P(StatusChange, OfAnotherDeviceChangesNothing)
{
    AddDefaultPhone();
    AddPhone(L"usb-2", L"RH-9", L"Second");
    Open();
    manager->FireStatusChanged(L"usb-2", GetParam());
    manager->FireStatusChanged(L"USB-1", GetParam());
    EXPECT_EQ("Connected to Nokia 6230", StatusText());
    EXPECT_TRUE(Enabled(IDC_GET_TONE));
}

INSTANTIATE_TEST_SUITE_P(Statuses, StatusChange,
                         ::testing::Values(twdsUnknown, twdsInactive, twdsActive, twdsRemoved));

TEST_F(Connection, StatusChangeAnswersNotImplementedThroughTheResult)
{
    AddDefaultPhone();
    Open();
    VARIANT result;
    VariantInit(&result);
    VARIANT status, id;
    VariantInit(&status);
    V_VT(&status) = VT_I4;
    V_I4(&status) = twdsRemoved;
    VariantInit(&id);
    V_VT(&id) = VT_BSTR;
    V_BSTR(&id) = SysAllocString(L"usb-1");
    EXPECT_EQ(S_OK, manager->Fire(5, {status, id}, &result));
    EXPECT_EQ(VT_ERROR, V_VT(&result));
    EXPECT_EQ(E_NOTIMPL, V_ERROR(&result));
    EXPECT_EQ("Not connected", StatusText());
}

TEST_F(Connection, EventsWithArgumentsOfOtherTypesAreConvertedOrIgnored)
{
    AddDefaultPhone();
    Open();
    // The status as a string converts to the declared 32-bit type.
    VARIANT status, id;
    VariantInit(&status);
    V_VT(&status) = VT_BSTR;
    V_BSTR(&status) = SysAllocString(L"3");
    VariantInit(&id);
    V_VT(&id) = VT_BSTR;
    V_BSTR(&id) = SysAllocString(L"usb-1");
    EXPECT_EQ(S_OK, manager->Fire(5, {status, id}));
    EXPECT_EQ("Not connected", StatusText());
    // Missing arguments and ids that are not dispatched are ignored.
    EXPECT_EQ(S_OK, manager->Fire(1, {}));
    EXPECT_EQ(S_OK, manager->Fire(2, {}));
    EXPECT_EQ(S_OK, manager->Fire(99, {}));
    EXPECT_EQ(1, manager->enumerations);
}

TEST_F(Connection, DeviceAddedWhileNotConnectedSearchesTheWholeList)
{
    AddPhone(L"other", L"RM-1", L"Unsupported");
    Open();
    EXPECT_EQ("Not connected", StatusText());
    AddDefaultPhone();
    // The id is not used: the added device may be any.
    manager->FireDeviceAdded(L"something-else");
    EXPECT_EQ("Connected to Nokia 6230", StatusText());
    EXPECT_EQ(3u, ListItems(List()).size());
}

TEST_F(Connection, DeviceAddedDuringASearchMakesItRunOnceMore)
{
    // The phone comes, and says so, while the first search waits on the
    // component with the list as it was.
    manager->whileEnumerating = [this] {
        AddDefaultPhone();
        manager->FireDeviceAdded(L"usb-1");
    };
    Open();
    EXPECT_EQ("Connected to Nokia 6230", StatusText());
    EXPECT_EQ(2, manager->enumerations);
    EXPECT_EQ(1, manager->deepestEnumeration) << "the event started a second search inside the first";
}

TEST_F(Connection, DeviceAddedWhileConnectedKeepsThePhone)
{
    AddDefaultPhone();
    Open();
    FakeDevice *other = AddPhone(L"usb-2", L"RH-9", L"Second");
    manager->FireDeviceAdded(L"usb-2");
    EXPECT_EQ("Connected to Nokia 6230", StatusText());
    EXPECT_TRUE(other->servicesAsked.empty());
    EXPECT_EQ(1, manager->enumerations);
}

TEST_F(Connection, ReattachAfterDisconnectConnectsAgain)
{
    FakeDevice *phone = AddDefaultPhone();
    Open();
    manager->FireStatusChanged(L"usb-1", twdsRemoved);
    EXPECT_FALSE(Enabled(IDC_GET_TONE));
    phone->stream->store.pop_back();
    manager->FireDeviceAdded(L"usb-1");
    EXPECT_EQ("Connected to Nokia 6230", StatusText());
    EXPECT_TRUE(Enabled(IDC_GET_TONE));
    EXPECT_EQ(2u, ListItems(List()).size());
}

TEST_F(Connection, DeviceDeletedChangesNothing)
{
    AddDefaultPhone();
    Open();
    manager->FireDeviceDeleted(L"usb-1");
    EXPECT_EQ("Connected to Nokia 6230", StatusText());
    EXPECT_TRUE(Enabled(IDC_GET_TONE));
}

TEST_F(Connection, ActiveStatusWhileNotConnectedDoesNotSearch)
{
    Open();
    AddDefaultPhone();
    manager->FireStatusChanged(L"usb-1", twdsActive);
    EXPECT_EQ("Not connected", StatusText());
    EXPECT_EQ(1, manager->enumerations);
}

TEST_F(Connection, CloseUnsubscribesShutsDownAndReleasesEverything)
{
    FakeDevice *phone = AddDefaultPhone();
    phone->AddRef();
    FakeStream *stream = phone->stream;
    stream->AddRef();
    Open();
    HWND window = Window();
    Close();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, manager->unadviseCalls);
    EXPECT_EQ(0x1234u, manager->lastUnadviseCookie);
    EXPECT_EQ(nullptr, manager->sink);
    EXPECT_EQ(1, manager->shutdownCalls);
    // Only the test's own references are left.
    EXPECT_EQ(1u, manager->refs);
    EXPECT_EQ(2u, phone->refs); // the test's and the manager's list
    EXPECT_EQ(2u, stream->refs); // the test's and the device's
    stream->Release();
    phone->Release();
}

TEST_F(Connection, ComponentMissingWarnsOnceAndOptionsDoesNothing)
{
    Open(false);
    ASSERT_EQ(1u, Dialogs().size());
    const CaughtDialog box = Dialogs()[0];
    EXPECT_EQ(kNotInstalled, std::make_pair(box.caption, box.text));
    EXPECT_EQ(Window(), box.owner);
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
    EXPECT_EQ("Not connected", StatusText());
    EXPECT_TRUE(Enabled(IDC_GET_TONE));
    Press(IDM_OPTIONS);
    EXPECT_EQ(1u, Dialogs().size());
    HWND window = Window();
    Close();
    EXPECT_FALSE(IsWindow(window));
}
