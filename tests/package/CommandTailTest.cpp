#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CommandTail.h"

namespace {

struct TailCase {
    const char* commandLine;
    const char* tail;
};

// The package's own command line as Windows hands it over, and what the
// installer must receive after its quoted path.
const TailCase TAIL_CASES[] = {
    {"\"C:\\Pkg Dir\\Chimebox-Setup.exe\" /S \"a b\"", " /S \"a b\""},
    {"C:\\Pkg\\Chimebox-Setup.exe /C", " /C"},
    {"C:\\Pkg\\Chimebox-Setup.exe", ""},
    {"\"C:\\Pkg\\Chimebox-Setup.exe\"", ""},
    {"\"C:\\Pkg\\Chimebox-Setup.exe\"/P", "/P"},
    {"C:\\Pkg\\Chimebox-Setup.exe\t/C", ""},
    {"C:\\Pkg\\Chimebox-Setup.exe\t/C x", " x"},
    {"C:\\Pkg\\Chimebox-Setup.exe  two  blanks ", "  two  blanks "},
    {"\"C:\\Pkg\\no closing quote /C", ""},
    {"", ""},
};

TEST(CommandTail, InstallerGetsThePackagesArgumentsByteForByte)
{
    const char* installer = "C:\\Temp\\~ca1F.tmp\\setup.exe";
    for (const TailCase& c : TAIL_CASES) {
        SCOPED_TRACE(c.commandLine);
        const char* tail = FindCommandTail(c.commandLine);
        EXPECT_STREQ(c.tail, tail);
        char commandLine[INSTALLER_COMMAND_LINE_SIZE];
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), BuildInstallerCommandLine(commandLine, installer, tail));
        EXPECT_EQ(std::string("\"") + installer + "\"" + c.tail, commandLine);
    }
}

// The line is built in a 260-byte buffer: 259 characters fit, one more is
// refused, and nothing lands behind the buffer either way.
TEST(CommandTail, LineLongerThanItsBufferIsRefused)
{
    struct GuardedLine {
        char line[INSTALLER_COMMAND_LINE_SIZE];
        char guard[32];
    };
    const std::string installer = "C:\\Temp\\~ca1F.tmp\\setup.exe";
    const size_t quotedLength = installer.size() + 2;
    for (size_t tailLength : {INSTALLER_COMMAND_LINE_SIZE - 1 - quotedLength, INSTALLER_COMMAND_LINE_SIZE - quotedLength,
                              INSTALLER_COMMAND_LINE_SIZE + 100}) {
        SCOPED_TRACE(tailLength);
        const std::string tail = " " + std::string(tailLength - 1, 'x');
        GuardedLine buffer;
        std::memset(&buffer, 'G', sizeof buffer);
        DWORD error = BuildInstallerCommandLine(buffer.line, installer.c_str(), tail.c_str());
        if (quotedLength + tailLength < INSTALLER_COMMAND_LINE_SIZE) {
            EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), error);
            EXPECT_EQ("\"" + installer + "\"" + tail, buffer.line);
        } else {
            EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), error);
            EXPECT_STREQ("", buffer.line);
        }
        EXPECT_EQ(std::string(sizeof buffer.guard, 'G'), std::string(buffer.guard, sizeof buffer.guard));
    }
}

}  // namespace
