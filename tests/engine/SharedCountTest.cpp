// The system's shared-file counts.
#include "EngineFixture.h"

namespace {

struct CountCase {
    long before; // -1: no value
    bool add;
    int result;
    long after; // -1: no value
};

class SharedCounts : public EngineTest, public ::testing::WithParamInterface<CountCase> {};

const char kFile[] = "C:\\Program Files\\Chimebox\\counted.dll";

} // namespace

TEST_P(SharedCounts, AddAndDropOneReference)
{
    const CountCase &c = GetParam();
    if (c.before >= 0)
        SetSharedCount(kFile, static_cast<DWORD>(c.before));
    EXPECT_EQ(InstallEngine::UpdateSharedCount(kFile, c.add), c.result);
    EXPECT_EQ(SharedCount(kFile), c.after);
}

INSTANTIATE_TEST_SUITE_P(Table, SharedCounts,
                         ::testing::Values(CountCase{-1, true, 1, 1}, CountCase{1, true, 2, 2},
                                           CountCase{2, false, 1, 1}, CountCase{1, false, 0, -1},
                                           CountCase{0, false, 0, 0}, CountCase{-1, false, 0, -1}));

TEST_F(EngineTest, SharedCountsThatCannotBeOpenedGiveMinusOneAndAreNotCreated)
{
    ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"),
              ERROR_SUCCESS);
    EXPECT_EQ(InstallEngine::UpdateSharedCount(kFile, true), -1);
    EXPECT_EQ(InstallEngine::UpdateSharedCount(kFile, false), -1);
    EXPECT_EQ(SharedCount(kFile), -1);
}
