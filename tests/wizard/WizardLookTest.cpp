// The wizard's texts, fonts and placement.
#include "CentreOnWorkArea.h"
#include "SetupResource.h"
#include "SetupText.h"
#include "TitleFont.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(UINT id)
{
    char buffer[SETUP_TEXT_SIZE];
    LoadSetupText(id, buffer, sizeof buffer);
    return buffer;
}

TEST(SetupText, TheStringTableHoldsThePagesTexts)
{
    EXPECT_EQ(Text(IDS_WELCOME_TITLE), "Welcome to the %s Setup Wizard");
    EXPECT_EQ(Text(IDS_WELCOME_TEXT), "This wizard will guide you through the installation of this product.\r\n\r\n%s");
    EXPECT_EQ(Text(IDS_COMPLETION_TITLE), "Completing the Setup Wizard");
    EXPECT_EQ(Text(IDS_COMPLETION_TEXT),
              "You have successfully completed the installation.\r\n\r\n%sTo close this wizard, click Finish.");
    EXPECT_EQ(Text(IDS_LICENCE_TITLE), "Licence agreement");
    EXPECT_EQ(Text(IDS_LICENCE_SUBTITLE), "You must agree to the terms of the licence agreement for this product.");
    EXPECT_EQ(Text(IDS_STATUS_TITLE), "Setup status");
    EXPECT_EQ(Text(IDS_STATUS_SUBTITLE), " ");
    EXPECT_EQ(Text(IDS_STATUS_TEXT), "Setup is performing the requested operations");
    EXPECT_EQ(Text(IDS_COMPLETION_ERROR_TEXT),
              "Setup encoutered errors during the installation.\r\n\r\nPlease check that you have the correct "
              "privileges on your system then restart your PC and try the reinstall again.\r\n\r\n%sTo close this "
              "wizard, click Finish.");
}

TEST(SetupText, AnAbsentTextIsEmptyAndAShortBufferIsNeverOverrun)
{
    char buffer[SETUP_TEXT_SIZE] = "old";
    EXPECT_FALSE(LoadSetupText(138, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(LoadSetupText(4000, buffer, sizeof buffer));

    char small[8];
    char guard[8];
    lstrcpyA(guard, "guard");
    LoadSetupText(IDS_STATUS_TEXT, small, sizeof small);
    EXPECT_LT(lstrlenA(small), 8);
    EXPECT_STREQ(guard, "guard");
}

TEST(TitleFont, HeightFollowsThePixelsPerInch)
{
    EXPECT_EQ(TitleFont::Height(12, 96), -16);
    EXPECT_EQ(TitleFont::Height(8, 96), -11);
    EXPECT_EQ(TitleFont::Height(12, 120), -20);
    EXPECT_EQ(TitleFont::Height(8, 120), -13);
}

struct CentreCase {
    RECT window;
    RECT area;
    POINT expected;
};

TEST(CentredPosition, CentresInTheWorkAreaAndKeepsTheWindowInside)
{
    const CentreCase cases[] = {
        {{0, 0, 100, 50}, {0, 0, 1000, 800}, {450, 375}},
        {{300, 300, 401, 351}, {0, 0, 1000, 800}, {450, 375}},
        // A task bar on the left or the top moves the work area.
        {{0, 0, 100, 50}, {200, 0, 1200, 800}, {650, 375}},
        {{0, 0, 100, 50}, {0, 60, 1000, 860}, {450, 435}},
        // Larger than the work area: its left and top edges stay visible.
        {{0, 0, 1200, 900}, {0, 0, 1000, 800}, {0, 0}},
        {{0, 0, 1200, 900}, {100, 40, 1100, 840}, {100, 40}},
        // A work area left of the primary screen: the centre rounds toward
        // zero, and the window is pulled back so that it ends there.
        {{0, 0, 3, 3}, {-3, -3, 0, 0}, {-3, -3}},
    };
    for (const CentreCase &c : cases) {
        POINT corner = CentredPosition(c.window, c.area);
        EXPECT_EQ(corner.x, c.expected.x) << c.area.left << "," << c.area.right;
        EXPECT_EQ(corner.y, c.expected.y) << c.area.top << "," << c.area.bottom;
    }
}

} // namespace
