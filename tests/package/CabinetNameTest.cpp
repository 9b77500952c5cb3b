#include <gtest/gtest.h>

#include "CabinetName.h"

namespace {

struct NameCase {
    const char* name;
    bool safe;
};

const NameCase NAME_CASES[] = {
    {"setup.exe", true},
    {"sub1\\sub2\\deep.txt", true},
    {"a..b\\..c\\d..", true},
    {".\\setup.exe", true},
    {"", false},
    {"..", false},
    {"..\\evil.txt", false},
    {"sub\\..\\..\\evil.txt", false},
    {"sub/../evil.txt", false},
    {"sub\\..", false},
    {"\\evil.txt", false},
    {"/evil.txt", false},
    {"C:\\evil.txt", false},
    {"C:evil.txt", false},
    {"setup.exe:stream", false},
};

TEST(CabinetName, OnlyNamesInsideTheExtractionFolderPass)
{
    for (const NameCase& c : NAME_CASES) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.safe, IsSafeCabinetName(c.name));
    }
}

}  // namespace
