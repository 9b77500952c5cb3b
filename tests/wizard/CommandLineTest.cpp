#include "CommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
    const char *commandLine;
    const char *rest;
};

TEST(SkipProgramName, LeavesTheArgumentsAfterTheNameAndItsBlanks)
{
    const NameCase cases[] = {
        {"Setup.exe", ""},
        {"Setup.exe /C", "/C"},
        {"Setup.exe \t\r\n /P log", "/P log"},
        {"\"C:\\Program Files\\Chimebox\\_Unins.exe\"", ""},
        {"\"C:\\Program Files\\Chimebox\\_Unins.exe\" /P x", "/P x"},
        {"\"C:\\temp\\TWU1.tmp\"/C", "/C"},
        {"\"C:\\unterminated /C", ""},
        // Unquoted, the name ends at the first blank of a folder name.
        {"C:\\Program Files\\Chimebox\\_Unins.exe", "Files\\Chimebox\\_Unins.exe"},
        // Bytes 128 to 255 compare as codes below 33: they end the name and
        // are skipped with the blanks.
        {"Setup\xE9.exe /C", ".exe /C"},
        {"\"Setup.exe\"\xA0\xFF/U", "/U"},
    };
    for (const NameCase &c : cases)
        EXPECT_STREQ(SkipProgramName(c.commandLine), c.rest) << c.commandLine;
}

struct SwitchCase {
    const char *arguments;
    char mode;
    const char *argument;
};

TEST(ReadSwitch, TakesTheLetterAfterTheFirstSlash)
{
    const SwitchCase cases[] = {
        {"", MODE_NONE, ""},
        {"/C", MODE_REMOVE, ""},
        {"/c", MODE_REMOVE, ""},
        {"/P C:\\Program Files\\Chimebox\\_Install.log", MODE_CONFIGURE, "C:\\Program Files\\Chimebox\\_Install.log"},
        {"/p \t log", MODE_CONFIGURE, "log"},
        {"/Px", MODE_CONFIGURE, "x"},
        {"/U log", MODE_CONFIRM_UNINSTALL, "log"},
        {"/u", MODE_CONFIRM_UNINSTALL, ""},
        {"/X", MODE_NONE, ""},
        {"/x more", MODE_NONE, "more"},
        {"/", MODE_NONE, ""},
        // The slash of a path is a switch too: the letter t picks nothing.
        {"C:/temp", MODE_NONE, "emp"},
        {"C:\\log.ini", MODE_NONE, "C:\\log.ini"},
        {"  \tC:\\log.ini", MODE_NONE, "C:\\log.ini"},
        {"log /C", MODE_REMOVE, ""},
    };
    for (const SwitchCase &c : cases) {
        SetupCommand command = ReadSwitch(c.arguments);
        EXPECT_EQ(command.mode, c.mode) << c.arguments;
        EXPECT_STREQ(command.argument, c.argument) << c.arguments;
    }
}

struct ModeCase {
    const char *arguments;
    const char *program;
    char mode;
    const char *argument;
};

TEST(SelectMode, ASwitchWinsOverTheUnderscoreRule)
{
    const ModeCase cases[] = {
        {"", "C:\\temp\\~ca12.tmp\\setup.exe", MODE_INSTALL, ""},
        {"/X", "C:\\temp\\Setup.exe", MODE_INSTALL, ""},
        {"C:/temp", "C:\\temp\\Setup.exe", MODE_INSTALL, "emp"},
        {"/C", "C:\\temp\\Setup.exe", MODE_REMOVE, ""},
        {"", "C:\\Program Files\\Chimebox\\_Unins.exe", MODE_CONFIRM_UNINSTALL, ""},
        {"C:\\x\\_Install.log", "C:\\x\\_Unins.exe", MODE_CONFIRM_UNINSTALL, "C:\\x\\_Install.log"},
        {"/X", "C:\\x\\_Unins.exe", MODE_CONFIRM_UNINSTALL, ""},
        {"/P C:\\x\\_Install.log", "C:\\x\\_Unins.exe", MODE_CONFIGURE, "C:\\x\\_Install.log"},
        {"", "_copy.exe", MODE_CONFIRM_UNINSTALL, ""},
        {"", "C:\\_folder\\Setup.exe", MODE_INSTALL, ""},
        {"Files\\Chimebox\\_Unins.exe", "C:\\Program Files\\Chimebox\\_Unins.exe", MODE_CONFIRM_UNINSTALL,
         "Files\\Chimebox\\_Unins.exe"},
    };
    for (const ModeCase &c : cases) {
        SetupCommand command = SelectMode(c.arguments, c.program);
        EXPECT_EQ(command.mode, c.mode) << c.arguments << " | " << c.program;
        EXPECT_STREQ(command.argument, c.argument) << c.arguments << " | " << c.program;
    }
}

} // namespace
