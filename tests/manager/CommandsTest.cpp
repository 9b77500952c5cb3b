// The ringtone list and the get, write and erase commands, driven through
// window messages, with the message boxes and file dialogs answered here.
#include "ManagerFixture.h"

#include "DialogActions.h"

namespace {

using Message = std::pair<std::string, std::string>;

const Message kTimeoutReceiving = {"Error", "Timeout waiting for data from phone"};
const Message kTimeoutSending = {"Error", "Timeout sending data to phone"};
const Message kNoResponse = {"Error", "Error getting response from phone"};

Message Said(const char *text) { return {"", text}; }

bool IsFileDialog(HWND dialog, const char *title)
{
    char caption[64] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    return lstrcmpA(caption, title) == 0;
}

} // namespace

class Commands : public ManagerTest {
protected:
    void SetUp() override
    {
        ManagerTest::SetUp();
        phone = AddDefaultPhone();
        stream = phone->stream;
    }

    void OpenConnected()
    {
        Open();
        ASSERT_EQ("Connected to Nokia 6230", StatusText());
        stream->requests.clear();
        stream->timeouts.clear();
    }

    // Answers the next dialog titled title with path, noting what it showed.
    void AnswerFileDialogWith(const char *title, const std::string &path)
    {
        onDialog = [this, title, path](HWND dialog) {
            if (!IsFileDialog(dialog, title))
                return false;
            RunWhenShown(dialog, [this, path](HWND shown) {
                shownName = FileDialogName(shown);
                shownFilter = FileDialogFilter(shown);
                if (path.empty())
                    DialogCatcher::PressButton(shown, IDCANCEL);
                else
                    AnswerFileDialog(shown, path);
            });
            return true;
        };
    }

    FakeDevice *phone = nullptr;
    FakeStream *stream = nullptr;
    std::string shownName, shownFilter;
    std::vector<ListItem> listWhenTold;
};

// ---- the list

TEST_F(Commands, EmptyStoreGivesAnEmptyListWithoutMessage)
{
    stream->store.clear();
    OpenConnected();
    EXPECT_TRUE(ListItems(List()).empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Commands, DuplicateAndNonAnsiNamesAreListedInReplyOrder)
{
    stream->store = {{0x0203, u"Beep", MidiBytes(1)},
                     {0x0201, u"Beep", MidiBytes(2)},
                     {0x0202, u"Caf\u00e9 \u266b\u4e2d", MidiBytes(3)}};
    OpenConnected();
    // é is in the ANSI code page; the note and the ideograph are not.
    EXPECT_EQ((std::vector<ListItem>{{"Beep", 0x0203}, {"Beep", 0x0201}, {"Caf\xe9 ??", 0x0202}}), ListItems(List()));
}

struct RefreshFailure {
    const char *name;
    Fault fault;
    std::vector<Message> messages;
};

class FailedRefresh : public Commands, public ::testing::WithParamInterface<RefreshFailure> {};

TEST_P(FailedRefresh, EmptiesTheListAndTellsOnlyOfTransactionFailures)
{
    OpenConnected();
    stream->faults = {GetParam().fault};
    // An erase is answered, then its refresh fails.
    stream->faults.insert(stream->faults.begin(), Fault::None);
    SelectItem(List(), 0);
    catcher.Answer(IDYES);
    Press(IDC_ERASE_TONE);
    std::vector<Message> expected = {Said("Are you sure you wish to erase this ringtone?")};
    expected.insert(expected.end(), GetParam().messages.begin(), GetParam().messages.end());
    expected.push_back(Said("Ringtone erased"));
    EXPECT_EQ(expected, Messages());
    EXPECT_TRUE(ListItems(List()).empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedRefresh,
                         ::testing::Values(RefreshFailure{"Timeout", Fault::Timeout, {kTimeoutReceiving}},
                                           RefreshFailure{"Refused", Fault::RefuseBegin, {kNoResponse}},
                                           RefreshFailure{"NoReply", Fault::NoReply, {kNoResponse}},
                                           RefreshFailure{"WrongType", Fault::WrongType, {}}),
                         [](const ::testing::TestParamInfo<RefreshFailure> &info) { return info.param.name; });

// ---- get

struct GetCase {
    const char *name;
    std::vector<uint8_t> data;
    const char *defaultName;
    const char *filter;
};

class GetTone : public Commands, public ::testing::WithParamInterface<GetCase> {};

TEST_P(GetTone, SavesExactlyTheBytesReceived)
{
    stream->store = {{0x0105, u"Ring", GetParam().data}};
    OpenConnected();
    SelectItem(List(), 0);
    std::string path = ScratchFolder() + "saved.bin";
    AnswerFileDialogWith("Save As", path);
    Press(IDC_GET_TONE);
    EXPECT_EQ(GetParam().defaultName, shownName);
    EXPECT_EQ(GetParam().filter, shownFilter);
    EXPECT_EQ(GetParam().data, ReadWholeFile(path));
    EXPECT_TRUE(Messages().size() == 1u) << "only the save dialog";
    ASSERT_EQ(1u, stream->requests.size());
    EXPECT_EQ((std::vector<uint8_t>{0x1F, 0x12, 0x01, 0x05}), stream->requests[0]);
    EXPECT_EQ(std::vector<long>{2000}, stream->timeouts);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, GetTone,
    ::testing::Values(GetCase{"Midi", MidiBytes(64), "Ring.mid", "MIDI (.mid)"},
                      GetCase{"HeaderOnly", {'M', 'T', 'h', 'd'}, "Ring.mid", "MIDI (.mid)"},
                      GetCase{"Other", {0x02, 0x4A, 0x3A, 0x51, 0x00}, "Ring.dat", "Unknown file format (.dat)"},
                      GetCase{"Short", {'M', 'T', 'h'}, "Ring.dat", "Unknown file format (.dat)"},
                      GetCase{"LowerCaseHeader", {'m', 't', 'h', 'd', 0}, "Ring.dat", "Unknown file format (.dat)"}),
    [](const ::testing::TestParamInfo<GetCase> &info) { return info.param.name; });

TEST_F(Commands, GetReplacesAnExistingFileWithoutAsking)
{
    OpenConnected();
    SelectItem(List(), 1);
    std::string path = ScratchFolder() + "mine.mid";
    WriteWholeFile(path, std::vector<uint8_t>(500, 0xEE));
    AnswerFileDialogWith("Save As", path);
    Press(IDC_GET_TONE);
    EXPECT_EQ(MidiBytes(72), ReadWholeFile(path));
    EXPECT_EQ(1u, Dialogs().size()) << "no overwrite prompt, no message";
}

TEST_F(Commands, GetOfANameWithoutExtensionGetsOneFromTheDialog)
{
    OpenConnected();
    SelectItem(List(), 1);
    std::string folder = ScratchFolder();
    AnswerFileDialogWith("Save As", folder + "mine");
    Press(IDC_GET_TONE);
    // Windows appends the default extension "rtx"; Wine's dialog prefers
    // the extension of the chosen filter.
    std::vector<uint8_t> rtx = ReadWholeFile(folder + "mine.rtx");
    std::vector<uint8_t> mid = ReadWholeFile(folder + "mine.mid");
    EXPECT_EQ(MidiBytes(72), rtx.empty() ? mid : rtx);
    EXPECT_TRUE(ReadWholeFile(folder + "mine").empty());
}

TEST_F(Commands, DoubleClickGetsTheSelectedRingtone)
{
    OpenConnected();
    SelectItem(List(), 2);
    std::string path = ScratchFolder() + "tones.dat";
    AnswerFileDialogWith("Save As", path);
    DoubleClickList();
    EXPECT_EQ("Tones.dat", shownName);
    EXPECT_EQ((std::vector<uint8_t>{0x02, 0x4A, 0x3A}), ReadWholeFile(path));
}

TEST_F(Commands, GetWithNothingSelectedDoesNothing)
{
    OpenConnected();
    Press(IDC_GET_TONE);
    DoubleClickList();
    EXPECT_TRUE(stream->requests.empty());
    EXPECT_TRUE(Dialogs().empty());
}

TEST_F(Commands, GetCancelledOrWithAShortPathWritesNothing)
{
    OpenConnected();
    SelectItem(List(), 0);
    AnswerFileDialogWith("Save As", "");
    Press(IDC_GET_TONE);
    EXPECT_EQ(1u, Dialogs().size());
    EXPECT_EQ(1u, stream->requests.size());
}

struct GetFailure {
    const char *name;
    Fault fault;
    std::vector<Message> messages;
};

class GetToneFailure : public Commands, public ::testing::WithParamInterface<GetFailure> {};

TEST_P(GetToneFailure, TellsTheUserAndOffersNoFile)
{
    OpenConnected();
    SelectItem(List(), 0);
    stream->faults = {GetParam().fault};
    Press(IDC_GET_TONE);
    EXPECT_EQ(GetParam().messages, Messages());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, GetToneFailure,
    ::testing::Values(GetFailure{"Timeout", Fault::Timeout, {kTimeoutReceiving, Said("Error getting ringtone")}},
                      GetFailure{"Refused", Fault::RefuseBegin, {kNoResponse, Said("Error getting ringtone")}},
                      GetFailure{"WrongType", Fault::WrongType, {Said("Error getting ringtone")}}),
    [](const ::testing::TestParamInfo<GetFailure> &info) { return info.param.name; });

TEST_F(Commands, GetOfARingtoneThePhoneNoLongerHasFails)
{
    OpenConnected();
    SelectItem(List(), 0);
    stream->store.erase(stream->store.begin());
    Press(IDC_GET_TONE);
    EXPECT_EQ(std::vector<Message>{Said("Error getting ringtone")}, Messages());
}

TEST_F(Commands, GetIntoAFileThatCannotBeCreatedSaysSo)
{
    OpenConnected();
    SelectItem(List(), 0);
    // Another program holds the file open without sharing.
    std::string path = ScratchFolder() + "taken.mid";
    HANDLE held = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    AnswerFileDialogWith("Save As", path);
    Press(IDC_GET_TONE);
    CloseHandle(held);
    ASSERT_EQ(2u, Messages().size());
    EXPECT_EQ(Said("Error opening file"), Messages()[1]);
}

TEST_F(Commands, GetOntoAFullDiskSaysSo)
{
    // The file name leads to /dev/full, where every write fails. Wine gives
    // a device no attributes (nor deletes it), so the name is checked by
    // opening it, and only the message is looked at.
    const std::string path = FULL_DISK_FILE;
    HANDLE device = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, device) << "ctest's manager_full_disk_file makes " << path;
    CloseHandle(device);
    OpenConnected();
    SelectItem(List(), 0);
    AnswerFileDialogWith("Save As", path);
    Press(IDC_GET_TONE);
    ASSERT_EQ(2u, Messages().size());
    EXPECT_EQ(Said("Error writing file: the ringtone could not be saved completely, so the file was deleted."),
              Messages()[1]);
}

TEST_F(Commands, GetAfterThePhoneWentAwayFailsWithoutSending)
{
    OpenConnected();
    SelectItem(List(), 0);
    manager->FireStatusChanged(L"usb-1", twdsRemoved);
    DoubleClickList();
    EXPECT_EQ(std::vector<Message>{Said("Error getting ringtone")}, Messages());
    EXPECT_TRUE(stream->requests.empty());
}

// ---- write

class WriteTone : public Commands {
protected:
    // Writes a file of that name into the phone, choosing item choice of the
    // location dialog (-1: none) and answering OK or Cancel.
    void Write(const std::string &fileName, const std::vector<uint8_t> &bytes, int choice, int button = IDOK)
    {
        std::string path = ScratchFolder() + fileName;
        WriteWholeFile(path, bytes);
        onDialog = [this, path, choice, button](HWND dialog) {
            if (IsFileDialog(dialog, "Open Ringtone")) {
                RunWhenShown(dialog, [path](HWND shown) { AnswerFileDialog(shown, path); });
                return true;
            }
            if (IsFileDialog(dialog, "Select location")) {
                RunWhenShown(dialog, [this, choice, button](HWND shown) {
                    HWND list = GetDlgItem(shown, IDC_RINGTONES);
                    locationItems = ListItems(list);
                    if (duringLocationDialog)
                        duringLocationDialog(shown);
                    SelectItem(list, choice);
                    DialogCatcher::PressButton(shown, button);
                });
                return true;
            }
            return false;
        };
        Press(IDC_WRITE_TONE);
    }

    std::vector<ListItem> locationItems;
    std::function<void(HWND)> duringLocationDialog;
};

TEST_F(WriteTone, NewRingtoneIsSentAndTheListRefreshed)
{
    OpenConnected();
    Write("song.mid", MidiBytes(50), 3);
    EXPECT_EQ((std::vector<ListItem>{{"Polka", 0x0101}, {"Sirens", 0x0102}, {"Tones", 0x0103},
                                     {"(New ringtone)", 0x7FFF}}),
              locationItems);
    // The location listing, the write, the main listing.
    ASSERT_EQ(3u, stream->requests.size());
    EXPECT_EQ((std::vector<uint8_t>{0x1F, 0x07, 0x00, 0x00, 0x00, 0x02}), stream->requests[0]);
    std::vector<uint8_t> expected = {0x1F, 0x0E, 0x7F, 0xFF, 0xFE, 4, 0, 's', 0, 'o', 0, 'n', 0, 'g', 0, 34};
    std::vector<uint8_t> midi = MidiBytes(50);
    expected.insert(expected.end(), midi.begin(), midi.end());
    expected.insert(expected.end(), {0, 0});
    EXPECT_EQ(expected, stream->requests[1]);
    EXPECT_EQ((std::vector<long>{3000, 4000, 3000}), stream->timeouts);
    EXPECT_EQ(4u, ListItems(List()).size());
    EXPECT_EQ((ListItem{"song", 0x0100}), ListItems(List())[3]);
    EXPECT_EQ(2u, Dialogs().size()) << "no message after success";
}

TEST_F(WriteTone, ExistingLocationIsReplaced)
{
    OpenConnected();
    Write("Polka2.mid", MidiBytes(51), 1);
    ASSERT_EQ(3u, stream->requests.size());
    EXPECT_EQ(0x01, stream->requests[1][2]);
    EXPECT_EQ(0x02, stream->requests[1][3]);
    EXPECT_EQ((ListItem{"Polka2", 0x0102}), ListItems(List())[1]);
}

struct NameCase {
    const char *file;
    std::vector<uint8_t> nameBytes;
};

class RingtoneName : public WriteTone, public ::testing::WithParamInterface<NameCase> {};

TEST_P(RingtoneName, ComesFromTheFileName)
{
    OpenConnected();
    Write(GetParam().file, MidiBytes(52), 3);
    ASSERT_EQ(3u, stream->requests.size());
    const std::vector<uint8_t> &request = stream->requests[1];
    const std::vector<uint8_t> &name = GetParam().nameBytes;
    ASSERT_EQ(name.size() / 2, request[5]);
    EXPECT_EQ(name, std::vector<uint8_t>(request.begin() + 6, request.begin() + 6 + static_cast<long>(name.size())));
}

INSTANTIATE_TEST_SUITE_P(Files, RingtoneName,
                         ::testing::Values(NameCase{"song.mid", {0, 's', 0, 'o', 0, 'n', 0, 'g'}},
                                           NameCase{"my.tone.mid", {0, 'm', 0, 'y', 0, '.', 0, 't', 0, 'o', 0, 'n', 0, 'e'}},
                                           NameCase{"nodot", {0, 'n', 0, 'o', 0, 'd', 0, 'o', 0, 't'}},
                                           NameCase{"caf\xe9.mid", {0, 'c', 0, 'a', 0, 'f', 0, 0xE9}}));

TEST_F(WriteTone, OkWithNothingSelectedOrCancelSendsNothing)
{
    OpenConnected();
    Write("song.mid", MidiBytes(53), -1, IDOK);
    Write("song.mid", MidiBytes(53), 0, IDCANCEL);
    ASSERT_EQ(2u, stream->requests.size());
    for (const std::vector<uint8_t> &request : stream->requests)
        EXPECT_EQ(0x07, request[1]) << "listings only";
    EXPECT_EQ(4u, Dialogs().size());
    EXPECT_TRUE(Messages()[0].second.empty());
}

TEST_F(WriteTone, PhoneGoneWhileTheDialogIsOpenSendsNothing)
{
    OpenConnected();
    stream->AddRef();
    duringLocationDialog = [this](HWND) { manager->FireStatusChanged(L"usb-1", twdsRemoved); };
    Write("song.mid", MidiBytes(54), 3);
    EXPECT_EQ(1u, stream->requests.size()) << "the location listing only";
    EXPECT_EQ(Said("Error writing ringtone"), Messages().back());
    EXPECT_EQ("Not connected", StatusText());
    stream->Release();
}

TEST_F(WriteTone, PhoneGoneDuringTheWriteIsNoCrash)
{
    OpenConnected();
    // The phone leaves while the write waits for its reply; the reply still
    // comes, and the refresh that follows finds no phone.
    duringLocationDialog = [this](HWND) {
        stream->duringWait = [this] { manager->FireStatusChanged(L"usb-1", twdsRemoved); };
    };
    Write("again.mid", MidiBytes(56), 3);
    ASSERT_EQ(2u, stream->requests.size());
    EXPECT_EQ(0x0E, stream->requests[1][1]);
    EXPECT_EQ("Not connected", StatusText());
    EXPECT_TRUE(ListItems(List()).empty());
}

TEST_F(WriteTone, WithoutPhoneOffersOnlyANewRingtoneAndFails)
{
    Open();
    manager->FireStatusChanged(L"usb-1", twdsRemoved);
    stream->requests.clear();
    Write("song.mid", MidiBytes(57), 0);
    EXPECT_EQ((std::vector<ListItem>{{"(New ringtone)", 0x7FFF}}), locationItems);
    EXPECT_TRUE(stream->requests.empty());
    EXPECT_EQ(Said("Error writing ringtone"), Messages().back());
}

struct WriteFailure {
    const char *name;
    Fault fault;
    std::vector<Message> messages;
};

class WriteToneFailure : public WriteTone, public ::testing::WithParamInterface<WriteFailure> {};

TEST_P(WriteToneFailure, TellsTheUserAndKeepsTheList)
{
    OpenConnected();
    stream->faults = {Fault::None, GetParam().fault};
    Write("song.mid", MidiBytes(58), 3);
    std::vector<Message> messages = Messages();
    ASSERT_GE(messages.size(), 2u);
    messages.erase(messages.begin(), messages.begin() + 2); // the two dialogs
    EXPECT_EQ(GetParam().messages, messages);
    EXPECT_EQ(3u, ListItems(List()).size());
    EXPECT_EQ(2u, stream->requests.size());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteToneFailure,
    ::testing::Values(WriteFailure{"Timeout", Fault::Timeout, {kTimeoutSending, Said("Error writing ringtone")}},
                      WriteFailure{"NoReply", Fault::NoReply, {kNoResponse, Said("Error writing ringtone")}},
                      WriteFailure{"WrongType", Fault::WrongType, {Said("Error writing ringtone")}}),
    [](const ::testing::TestParamInfo<WriteFailure> &info) { return info.param.name; });

struct RefusedFile {
    const char *name;
    std::string file;
    size_t size;
    const char *message;
};

class RefusedTone : public WriteTone, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedTone, SaysWhyAndSendsNothing)
{
    OpenConnected();
    std::vector<uint8_t> bytes = MidiBytes(59);
    bytes.resize(GetParam().size, 0x55);
    Write(GetParam().file, bytes, 0);
    EXPECT_TRUE(stream->requests.empty());
    std::vector<Message> messages = Messages();
    ASSERT_EQ(2u, messages.size()) << "the open dialog, then the message";
    EXPECT_EQ(Said(GetParam().message), messages[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedTone,
    ::testing::Values(
        RefusedFile{"TooLarge", "big.mid", 65536,
                    "The file is too large to be a ringtone: a ringtone can hold at most 65535 bytes. "
                    "Nothing was written to the phone."},
        RefusedFile{"NameTooLong", std::string(125, 'n') + ".mid", 100,
                    "The file name is too long for a ringtone name: a ringtone name can have at most 124 "
                    "characters. Rename the file and try again. Nothing was written to the phone."},
        RefusedFile{"Empty", "empty.mid", 0, "The file is empty: there is no ringtone to write to the phone."}),
    [](const ::testing::TestParamInfo<RefusedFile> &info) { return info.param.name; });

TEST_F(WriteTone, LimitsThemselvesAreAccepted)
{
    OpenConnected();
    std::vector<uint8_t> bytes = MidiBytes(60);
    bytes.resize(65535, 0x55);
    Write(std::string(124, 'n') + ".mid", bytes, 3);
    ASSERT_EQ(3u, stream->requests.size());
    EXPECT_EQ(124u, stream->requests[1][5]);
    EXPECT_EQ(65535u + 2 * 124 + 10, stream->requests[1].size());
}

// ---- erase

TEST_F(Commands, EraseConfirmedRefreshesBeforeSayingSo)
{
    OpenConnected();
    SelectItem(List(), 1);
    catcher.Answer(IDYES);
    onDialog = [this](HWND dialog) {
        if (CaughtDialog d = DialogCatcher::Describe(dialog); d.text == "Ringtone erased")
            listWhenTold = ListItems(List());
        return false;
    };
    Press(IDC_ERASE_TONE);
    EXPECT_EQ((std::vector<Message>{Said("Are you sure you wish to erase this ringtone?"),
                                    Said("Ringtone erased")}),
              Messages());
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), Dialogs()[0].buttons);
    EXPECT_TRUE(Dialogs()[0].hasIcon);
    EXPECT_FALSE(Dialogs()[1].hasIcon);
    ASSERT_EQ(2u, stream->requests.size());
    EXPECT_EQ((std::vector<uint8_t>{0x1F, 0x10, 0x01, 0x02}), stream->requests[0]);
    EXPECT_EQ(2000, stream->timeouts[0]);
    EXPECT_EQ((std::vector<ListItem>{{"Polka", 0x0101}, {"Tones", 0x0103}}), listWhenTold);
}

TEST_F(Commands, EraseRefusedOrWithNothingSelectedSendsNothing)
{
    OpenConnected();
    Press(IDC_ERASE_TONE);
    EXPECT_TRUE(Dialogs().empty());
    SelectItem(List(), 0);
    catcher.Answer(IDNO);
    Press(IDC_ERASE_TONE);
    EXPECT_EQ(std::vector<Message>{Said("Are you sure you wish to erase this ringtone?")}, Messages());
    EXPECT_TRUE(stream->requests.empty());
}

class EraseFailure : public Commands, public ::testing::WithParamInterface<Fault> {};

TEST_P(EraseFailure, ShowsOnlyTheCommandsMessage)
{
    OpenConnected();
    SelectItem(List(), 0);
    stream->faults = {GetParam()};
    catcher.Answer(IDYES);
    Press(IDC_ERASE_TONE);
    EXPECT_EQ((std::vector<Message>{Said("Are you sure you wish to erase this ringtone?"),
                                    Said("Error erasing ringtone")}),
              Messages());
    for (const std::vector<uint8_t> &request : stream->requests)
        EXPECT_EQ(0x10, request[1]) << "no refresh";
    EXPECT_EQ(3u, ListItems(List()).size());
}

INSTANTIATE_TEST_SUITE_P(Faults, EraseFailure,
                         ::testing::Values(Fault::Timeout, Fault::RefuseBegin, Fault::NoReply, Fault::WrongType));

TEST_F(Commands, EraseAfterThePhoneWentAwayAsksThenFails)
{
    OpenConnected();
    SelectItem(List(), 0);
    manager->FireStatusChanged(L"usb-1", twdsRemoved);
    catcher.Answer(IDYES);
    Press(IDC_ERASE_TONE);
    EXPECT_EQ((std::vector<Message>{Said("Are you sure you wish to erase this ringtone?"),
                                    Said("Error erasing ringtone")}),
              Messages());
    EXPECT_TRUE(stream->requests.empty());
}

TEST_F(Commands, PhoneGoneWhileTheQuestionIsOpenIsNoCrash)
{
    OpenConnected();
    SelectItem(List(), 0);
    onDialog = [this](HWND dialog) {
        if (DialogCatcher::Describe(dialog).text == "Are you sure you wish to erase this ringtone?") {
            manager->FireStatusChanged(L"usb-1", twdsRemoved);
            DialogCatcher::PressButton(dialog, IDYES);
            return true;
        }
        return false;
    };
    Press(IDC_ERASE_TONE);
    EXPECT_EQ(Said("Error erasing ringtone"), Messages().back());
    EXPECT_TRUE(stream->requests.empty());
}
