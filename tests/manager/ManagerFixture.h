// The main window, created in the test process against a scripted phone,
// with every dialog it opens caught by a DialogCatcher.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogCatcher.h"
#include "FakePhone.h"
#include "MainWindow.h"
#include "ResourceIds.h"
#include "RingtoneList.h"

// MIDI data as a phone holds it: a header chunk and a short track.
std::vector<uint8_t> MidiBytes(uint8_t note);
// A folder of its own under the prefix's temporary folder, ending in '\'.
std::string ScratchFolder();
std::vector<uint8_t> ReadWholeFile(const std::string &path);
void WriteWholeFile(const std::string &path, const std::vector<uint8_t> &bytes);
// Where the tests leave the pictures of the windows (created on first use).
std::string ScreensFolder();

struct ListItem {
    std::string text;
    LPARAM location;
    bool operator==(const ListItem &o) const { return text == o.text && location == o.location; }
};
void PrintTo(const ListItem &item, std::ostream *out);
std::vector<ListItem> ListItems(HWND list);
void SelectItem(HWND list, int index);

// The device manager factory the tests hand the program: it hands out the
// manager last given to handedDeviceManager (none: the component is missing).
void handedDeviceManager(FakeDeviceManager *manager);
HRESULT HandedDeviceManager(ITWDevMgr **out);

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a phone with its own stream (none when withStream is false).
    FakeDevice *AddPhone(const std::wstring &id, const std::wstring &type, const std::wstring &name,
                         bool withStream = true);
    FakeStream *StreamOf(FakeDevice *device) { return device->stream; }
    // The phone of the default scene: "RH-9", three ringtones.
    FakeDevice *AddDefaultPhone();
    // Opens the main window; the fake device manager is handed to it
    // unless withComponent is false.
    void Open(bool withComponent = true);
    void Close();

    HWND Window() const { return window_ ? window_->Window() : nullptr; }
    HWND Control(int id) const { return GetDlgItem(Window(), id); }
    HWND List() const { return Control(IDC_RINGTONES); }
    std::string StatusText() const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    void Press(int id);
    void DoubleClickList();
    // The dialogs the catcher saw, in order, without the main window itself.
    std::vector<CaughtDialog> Dialogs() const;
    // (caption, text) of each of those.
    std::vector<std::pair<std::string, std::string>> Messages() const;

    DialogCatcher catcher;
    // Takes the dialogs other than the main window; see DialogCatcher.
    DialogCatcher::Handler onDialog;
    FakeDeviceManager *manager = nullptr;
    MainWindow *window_ = nullptr;
};
