// The install wizard in this process, driven through its buttons.
#include "SetupWizard.h"

#include "CentreOnWorkArea.h"
#include "DialogCatcher.h"
#include "RunInstallWizard.h"
#include "SetupResource.h"
#include "TitleFont.h"
#include "WaitFor.h"
#include "WizardTestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int ID_BACK = 0x3023;
constexpr int ID_NEXT = 0x3024;
constexpr int ID_FINISH = 0x3025;

const char kScriptHead[] = "[Version]\r\nSignature=\"$Chicago$\"\r\n";

std::string FixtureScript(const std::string &appName, const std::string &files, const std::string &data)
{
    std::string script = kScriptHead;
    script += "[DefaultInstall]\r\nCopyFiles = MainFiles\r\n";
    script += "[SourceDisksNames]\r\n1 = \"Fixture media\",,,\r\n";
    script += "[DestinationDirs]\r\nDefaultDestDir = 49000\r\n";
    script += "[MainFiles]\r\n" + files;
    script += "[Setup.Data]\r\nAppName = " + appName + "\r\n" + data;
    return script;
}

class WizardTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The wizard itself is a dialog too: the catcher leaves it alone.
        catcher_.SetHandler([](HWND dialog) { return GetDlgItem(dialog, ID_NEXT) != nullptr; });
    }

    void OpenFixture(const std::string &script, const char *licence = "The fixture's licence.\r\n")
    {
        WriteTextFile(source_ / "Setup.inf", script);
        if (licence)
            WriteTextFile(source_ / "License.txt", licence);
        ASSERT_EQ(installEngine.Open((source_ / "Setup.inf").c_str(), source_.Path().c_str()), S_OK);
    }

    void Show()
    {
        wizard_ = new SetupWizard(installEngine.applicationName);
        sheet_ = wizard_->Create();
        ASSERT_NE(sheet_, nullptr);
        PumpUntil([this] { return Page() != nullptr; });
        Settle();
    }

    void TearDown() override
    {
        if (IsWindow(sheet_))
            DestroyWindow(sheet_);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        delete wizard_;
    }

    HWND Page() const { return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0)); }
    HWND StatusPage() const { return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_INDEXTOHWND, 2, 0)); }
    HWND Button(int id) const { return GetDlgItem(sheet_, id); }
    bool Enabled(int id) const { return IsWindowVisible(Button(id)) && IsWindowEnabled(Button(id)); }

    // The posted button states arrive with the thread's messages.
    void Settle() { PumpUntil([] { return false; }, 150); }

    // As a person would: only a visible, enabled button can be pressed.
    void Click(int id)
    {
        ASSERT_TRUE(Enabled(id)) << "button " << id;
        SendMessageA(Button(id), BM_CLICK, 0, 0);
        Settle();
    }

    void ClickAgree(HWND page)
    {
        SendDlgItemMessageA(page, IDC_AGREE, BM_CLICK, 0, 0);
        Settle();
    }

    // Posts the last click and runs the install mode's loop until the wizard
    // window is gone.
    int EndWith(int id)
    {
        EXPECT_TRUE(Enabled(id));
        PostMessageA(Button(id), BM_CLICK, 0, 0);
        return RunWizardMessageLoop(sheet_);
    }

    bool WaitForPage(const std::string &title, DWORD timeoutMs = 30000)
    {
        return PumpUntil([&] { return Page() && ControlText(Page(), IDC_TITLE) == title; }, timeoutMs);
    }

    void ExpectEmptyLicenceThatCanBeAgreed()
    {
        ASSERT_NO_FATAL_FAILURE(Show());
        Click(ID_NEXT);
        HWND page = Page();
        EXPECT_EQ(ControlText(page, IDC_LICENCE_TEXT), "");
        ClickAgree(page);
        EXPECT_TRUE(Enabled(ID_NEXT));
    }

    std::string ApplicationFolder() const { return installEngine.applicationFolder; }

    TempFolder source_;
    DialogCatcher catcher_;
    SetupWizard *wizard_ = nullptr;
    HWND sheet_ = nullptr;
};

LOGFONTA FontOf(HWND page)
{
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(page, IDC_TITLE, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

int ScreenPixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

TEST_F(WizardTest, TheShippedScriptTitlesTheWizardAndItsWelcome)
{
    ASSERT_EQ(installEngine.Open(SETUP_SOURCE_FOLDER "Setup.inf", SETUP_SOURCE_FOLDER), S_OK);
    ASSERT_NO_FATAL_FAILURE(Show());
    char caption[64];
    GetWindowTextA(sheet_, caption, sizeof caption);
    EXPECT_STREQ(caption, "Chimebox Setup");
    EXPECT_STREQ(wizard_->Title(), "Chimebox Setup");
    HWND welcome = Page();
    EXPECT_EQ(ControlText(welcome, IDC_TITLE), "Welcome to the Chimebox Setup Wizard");
    EXPECT_EQ(ControlText(welcome, IDC_TEXT),
              "This wizard will guide you through the installation of this product.\r\n\r\nThe Chimebox allows you "
              "to upload and download customised Polyphonic (MIDI) ringtones to your Nokia 3510.");
    LOGFONTA font = FontOf(welcome);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfHeight, TitleFont::Height(12, ScreenPixelsPerInch()));

    EXPECT_TRUE(Enabled(ID_NEXT));
    EXPECT_FALSE(Enabled(ID_BACK));
    EXPECT_TRUE(Enabled(IDCANCEL));

    RECT bounds;
    RECT workArea;
    GetWindowRect(sheet_, &bounds);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    POINT expected = CentredPosition(bounds, workArea);
    EXPECT_EQ(bounds.left, expected.x);
    EXPECT_EQ(bounds.top, expected.y);
}

TEST_F(WizardTest, IsCentredOnTheWorkAreaNotTheScreen)
{
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // A task bar along the left edge.
    RECT area = {300, 0, screen.right, screen.bottom};
    RECT old;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &old, 0);
    if (!SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0))
        GTEST_SKIP() << "this system does not let the work area be set";
    RECT now;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &now, 0);
    OpenFixture(FixtureScript("WizardCentred", "", ""));
    Show();
    RECT bounds;
    GetWindowRect(sheet_, &bounds);
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &old, 0);
    if (now.left != 300)
        GTEST_SKIP() << "the work area did not change";
    LONG width = bounds.right - bounds.left;
    EXPECT_EQ(bounds.left, (300 + screen.right) / 2 - width / 2);
}

TEST_F(WizardTest, AScriptWithoutNamesWelcomesTheApplication)
{
    OpenFixture(FixtureScript("WizardNoNames", "", ""));
    ASSERT_NO_FATAL_FAILURE(Show());
EXPECT_EQ(ControlText(Page(), IDC_TITLE), "Welcome to the Application Setup Wizard");
    EXPECT_EQ(ControlText(Page(), IDC_TEXT),
              "This wizard will guide you through the installation of this product.\r\n\r\n");
}

TEST_F(WizardTest, TheLicencePageShowsTheWholeTextAndNextFollowsTheTick)
{
    std::string licence;
    for (int line = 0; licence.size() < 40000; ++line)
        licence += "Line " + std::to_string(line) + " of a long licence.\r\n";
    licence.resize(40000);
    OpenFixture(FixtureScript("WizardLicence", "", ""), licence.c_str());
    ASSERT_NO_FATAL_FAILURE(Show());
    Click(ID_NEXT);
    HWND page = Page();
    ASSERT_TRUE(WaitForPage("Licence agreement"));
    EXPECT_EQ(ControlText(page, IDC_SUBTITLE),
              "You must agree to the terms of the licence agreement for this product.");
    EXPECT_EQ(ControlText(page, IDC_LICENCE_TEXT), licence);
    LOGFONTA font = FontOf(page);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Bold ");
    EXPECT_EQ(font.lfHeight, TitleFont::Height(8, ScreenPixelsPerInch()));

    EXPECT_EQ(IsDlgButtonChecked(page, IDC_AGREE), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_FALSE(Enabled(ID_NEXT));
    EXPECT_TRUE(Enabled(ID_BACK));
    ClickAgree(page);
    EXPECT_TRUE(Enabled(ID_NEXT));
    ClickAgree(page);
    EXPECT_FALSE(Enabled(ID_NEXT));
    ClickAgree(page);

    // Back and forth keeps the tick, and the buttons follow it again.
    Click(ID_BACK);
    ASSERT_TRUE(WaitForPage("Welcome to the Application Setup Wizard"));
    Click(ID_NEXT);
    ASSERT_TRUE(WaitForPage("Licence agreement"));
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_AGREE), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(Enabled(ID_NEXT));
}

TEST_F(WizardTest, AnEmptyLicenceStillLetsTheUserAgree)
{
    OpenFixture(FixtureScript("WizardEmptyLicence", "", ""), "");
    ASSERT_NO_FATAL_FAILURE(ExpectEmptyLicenceThatCanBeAgreed());
}

TEST_F(WizardTest, AMissingLicenceStillLetsTheUserAgree)
{
    OpenFixture(FixtureScript("WizardNoLicence", "", ""), nullptr);
    ASSERT_NO_FATAL_FAILURE(ExpectEmptyLicenceThatCanBeAgreed());
}

TEST_F(WizardTest, CancelOnTheWelcomePageEndsTheLoopWithZeroAndCopiesNothing)
{
    WriteTextFile(source_ / "Readme.txt", "read me");
    OpenFixture(FixtureScript("WizardCancelled", "Readme.txt\r\n", ""));
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_EQ(EndWith(IDCANCEL), 0);
    EXPECT_FALSE(IsWindow(sheet_));
    EXPECT_FALSE(PathExists(ApplicationFolder() + "Readme.txt"));
}

TEST_F(WizardTest, TheStatusPageRunsTheInstallAndTheWizardFinishes)
{
    WriteTextFile(source_ / "Readme.txt", "read me");
    WriteTextFile(source_ / "Notes.txt", "notes");
    OpenFixture(FixtureScript("WizardInstalled", "Readme.txt\r\nNotes.txt\r\n", "ShortName = Fixture\r\n"));
    ASSERT_NO_FATAL_FAILURE(Show());
    Click(ID_NEXT);
    ClickAgree(Page());
    Click(ID_NEXT);
    HWND status = StatusPage();
    EXPECT_EQ(ControlText(status, IDC_TITLE), "Setup status");
    EXPECT_EQ(ControlText(status, IDC_SUBTITLE), " ");

    ASSERT_TRUE(WaitForPage("Completing the Setup Wizard"));
    EXPECT_EQ(ControlText(Page(), IDC_TEXT),
              "You have successfully completed the installation.\r\n\r\nTo close this wizard, click Finish.");
    EXPECT_FALSE(installEngine.hadErrors);
    Settle();
    EXPECT_TRUE(Enabled(ID_FINISH));
    EXPECT_FALSE(Enabled(ID_BACK));
    EXPECT_FALSE(IsWindowEnabled(Button(IDCANCEL)));

    // The status page showed the copy's two steps, then the configuring.
    HWND bar = GetDlgItem(status, IDC_PROGRESS);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 2);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 2);
    EXPECT_FALSE(IsWindowVisible(bar));
    EXPECT_EQ(ControlText(status, IDC_TEXT), "Configuring installed components...");

    EXPECT_EQ(ReadTextFile(ApplicationFolder() + "Readme.txt"), "read me");
    EXPECT_TRUE(PathExists(ApplicationFolder() + "_Unins.exe"));
    EXPECT_EQ(EndWith(ID_FINISH), 0);
    EXPECT_FALSE(IsWindow(sheet_));
}

TEST_F(WizardTest, AFailedRegistrationHoldsTheWizardUntilTheRunEndsThenShowsTheErrorText)
{
    WriteTextFile(source_ / "Broken.dll", "not a library");
    OpenFixture(FixtureScript("WizardBroken", "Broken.dll\r\n", "") + "[Broken.dll]\r\nRegisterServer = yes\r\n");
    ASSERT_NO_FATAL_FAILURE(Show());
    Click(ID_NEXT);
    ClickAgree(Page());
    Click(ID_NEXT);
    HWND status = StatusPage();

    // The worker's message stands while the run goes on.
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = FindWindowA("#32770", "Setup")) != nullptr; }));
    CaughtDialog seen = DialogCatcher::Describe(box);
    EXPECT_EQ(seen.text, "Error 0x80004005 registering Broken.dll on system.");
    // Neither the system menu's Close nor a close message ends the run.
    SendMessageA(sheet_, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(sheet_, WM_CLOSE, 0, 0);
    Settle();
    EXPECT_TRUE(IsWindow(sheet_));
    EXPECT_EQ(Page(), status);
    DialogCatcher::PressButton(box, IDOK);

    ASSERT_TRUE(WaitForPage("Completing the Setup Wizard"));
    EXPECT_TRUE(installEngine.hadErrors);
    EXPECT_EQ(ControlText(Page(), IDC_TEXT),
              "Setup encoutered errors during the installation.\r\n\r\nPlease check that you have the correct "
              "privileges on your system then restart your PC and try the reinstall again.\r\n\r\nTo close this "
              "wizard, click Finish.");
}

TEST_F(WizardTest, AWorkerThatCannotStartIsReportedAndTheWizardEndsWithTheErrorText)
{
    // Without an open script the install thread is refused.
    ASSERT_NO_FATAL_FAILURE(Show());
    Click(ID_NEXT);
    ClickAgree(Page());
    Click(ID_NEXT);
    ASSERT_TRUE(WaitForPage("Completing the Setup Wizard"));
    ASSERT_EQ(catcher_.Caught().size(), 2u);
    const CaughtDialog &box = catcher_.Caught()[1];
    EXPECT_EQ(box.caption, "Setup");
    EXPECT_EQ(box.text, "Error starting the setup operations");
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(ControlText(Page(), IDC_TEXT).substr(0, 48), "Setup encoutered errors during the installation.");

    // With Cancel disabled, the system menu's Close still ends the wizard.
    PostMessageA(sheet_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(RunWizardMessageLoop(sheet_), 0);
    EXPECT_FALSE(IsWindow(sheet_));
}

} // namespace
