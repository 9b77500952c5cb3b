#include "ConfirmUninstall.h"

#include "DialogCatcher.h"
#include "WizardTestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TemporaryName(unsigned number)
{
    char folder[MAX_PATH];
    char name[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "TWU", number, name);
    return name;
}

struct Question {
    const char *log;
    const char *name;
};

TEST(ConfirmUninstall, AsksAboutTheLogsApplicationAndNoStartsNothing)
{
    TempFolder folder;
    std::string log = folder / "_Install.log";
    WriteTextFile(log, "[Setup]\r\nAppName=Chimebox\r\n");
    std::string noName = folder / "other.log";
    WriteTextFile(noName, "[Installed]\r\n");
    const std::string free = TemporaryName(1);
    bool copyExisted = PathExists(free);

    const Question questions[] = {
        {log.c_str(), "Chimebox"},
        {noName.c_str(), "the application"},
        {"", "the application"},
        {"Files\\Chimebox\\_Unins.exe", "the application"},
    };
    for (const Question &q : questions) {
        DialogCatcher catcher;
        catcher.Answer(IDNO);
        EXPECT_EQ(ConfirmUninstall(q.log), 0) << q.log;
        ASSERT_EQ(catcher.Caught().size(), 1u);
        const CaughtDialog &box = catcher.Caught()[0];
        EXPECT_EQ(box.text, std::string("Are you sure you would like to remove ") + q.name + " from your system?");
        EXPECT_EQ(box.caption, "Setup");
        EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_TRUE(box.hasIcon);
    }
    EXPECT_EQ(PathExists(free), copyExisted);
}

TEST(ConfirmUninstall, TheTemporaryCopyTakesTheNextFreeNumberInHexadecimal)
{
    for (unsigned n = 1; n <= 10; ++n)
        WriteTextFile(TemporaryName(n), "left by an earlier uninstall");
    DeleteFileA(TemporaryName(11).c_str());
    char name[MAX_PATH];
    ASSERT_TRUE(FindFreeTemporaryName(name));
    EXPECT_EQ(std::string(name), TemporaryName(11));
    std::string upper = name;
    CharUpperA(&upper[0]);
    EXPECT_NE(upper.find("\\TWUB.TMP"), std::string::npos) << name;
    EXPECT_FALSE(PathExists(name));
    for (unsigned n = 1; n <= 10; ++n)
        DeleteFileA(TemporaryName(n).c_str());
}

} // namespace
