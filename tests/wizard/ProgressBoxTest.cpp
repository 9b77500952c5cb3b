#include "ProgressBox.h"

#include "DialogCatcher.h"
#include "SetupResource.h"
#include "WizardTestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the box looked like when it was first activated.
struct BoxSeen {
    bool shown = false;
    std::string caption;
    std::string text;
    std::string textAfterProgress;
};

void WatchBox(DialogCatcher &catcher, BoxSeen &seen)
{
    catcher.SetHandler([&seen](HWND dialog) {
        // The box has text 103 and no buttons; message boxes have buttons.
        if (!GetDlgItem(dialog, IDC_TEXT) || !DialogCatcher::Describe(dialog).buttons.empty())
            return false;
        seen.shown = true;
        seen.caption = DialogCatcher::Describe(dialog).caption;
        seen.text = ControlText(dialog, IDC_TEXT);
        // The platform's range and step messages change nothing here.
        SendMessageA(dialog, WM_USER, 0, 10);
        SendMessageA(dialog, WM_USER, 1, 0);
        seen.textAfterProgress = ControlText(dialog, IDC_TEXT);
        return true;
    });
}

TEST(ProgressBox, ConfigureModeRunsTheRegistrationPassAndEndsWithOk)
{
    TempFolder folder;
    std::string log = folder / "_Install.log";
    WriteTextFile(log, "[Setup]\r\nAppName=Fixture\r\n");
    DialogCatcher catcher;
    BoxSeen seen;
    WatchBox(catcher, seen);
    EXPECT_EQ(ProgressBox(ProgressBox::CONFIGURE, log.c_str()).Show(), IDOK);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, "Setup");
    EXPECT_EQ(seen.text, "Configuring installed components...");
    EXPECT_EQ(seen.textAfterProgress, seen.text);
    EXPECT_STREQ(installEngine.logPath, log.c_str());
}

TEST(ProgressBox, RemoveModeFindsTheLogInTheCurrentFolderAndRemovesTheInstallation)
{
    TempFolder folder;
    std::string application = folder / "App";
    CreateDirectoryA(application.c_str(), nullptr);
    std::string help = application + "\\Help.chm";
    WriteTextFile(help, "help");
    std::string log = application + "\\_Install.log";
    WritePrivateProfileStringA("Setup", "AppName", "WizardRemoveFixture", log.c_str());
    WritePrivateProfileStringA("Directories", application.c_str(), "0", log.c_str());
    WritePrivateProfileStringA("Installed", help.c_str(), "0", log.c_str());

    DialogCatcher catcher;
    BoxSeen seen;
    WatchBox(catcher, seen);
    {
        ScopedCurrentFolder inApplication(application);
        EXPECT_EQ(ProgressBox(ProgressBox::REMOVE, "").Show(), IDOK);
    }
    EXPECT_EQ(seen.text, "Removing installed components...");
    EXPECT_EQ(seen.textAfterProgress, seen.text);
    EXPECT_FALSE(PathExists(help));
    EXPECT_FALSE(PathExists(log));
    EXPECT_FALSE(PathExists(application));
}

TEST(ProgressBox, WithoutALogItSaysSoAndStartsNoRun)
{
    TempFolder empty;
    ScopedCurrentFolder inEmpty(empty.Path());
    for (ProgressBox::Mode mode : {ProgressBox::CONFIGURE, ProgressBox::REMOVE}) {
        DialogCatcher catcher;
        BoxSeen seen;
        WatchBox(catcher, seen);
        EXPECT_EQ(ProgressBox(mode, (empty / "nothing.log").c_str()).Show(), IDCANCEL);
        // The box itself may be activated as the message closes; it never
        // said that a run started.
        EXPECT_TRUE(!seen.shown || seen.text == "Text");
        std::vector<CaughtDialog> messages;
        for (const CaughtDialog &dialog : catcher.Caught()) {
            if (!dialog.buttons.empty())
                messages.push_back(dialog);
        }
        ASSERT_EQ(messages.size(), 1u);
        const CaughtDialog &box = messages[0];
        EXPECT_EQ(box.text, "Error opening setup log");
        EXPECT_EQ(box.caption, ProgramFolder() + "_Install.log");
        EXPECT_TRUE(box.hasIcon);
        EXPECT_NE(box.owner, nullptr);
    }
    EXPECT_EQ(installEngine.doneEvent, nullptr);
}

} // namespace
