#include "MessageBuffer.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Contents(const MessageBuffer &buffer)
{
    return buffer.Data() ? Bytes(buffer.Data(), buffer.Data() + buffer.Size()) : Bytes{};
}

TEST(MessageBuffer, FirstAppendCreatesAOneDimensionalArrayFromZero)
{
    MessageBuffer buffer;
    EXPECT_TRUE(buffer.Absent());
    EXPECT_EQ(0u, buffer.Size());
    EXPECT_TRUE(buffer.Append(nullptr, 0));
    ASSERT_FALSE(buffer.Absent());
    EXPECT_EQ(0u, buffer.Size());
    EXPECT_EQ(1u, SafeArrayGetDim(buffer.Array()));
    LONG lower = -1;
    SafeArrayGetLBound(buffer.Array(), 1, &lower);
    EXPECT_EQ(0, lower);
    VARTYPE type = VT_EMPTY;
    SafeArrayGetVartype(buffer.Array(), &type);
    EXPECT_EQ(VT_UI1, type);
}

TEST(MessageBuffer, GrowsAtItsEnd)
{
    MessageBuffer buffer;
    const uint8_t first[] = {1, 2, 3};
    const uint8_t second[] = {4, 5};
    EXPECT_TRUE(buffer.Append(first, sizeof first));
    EXPECT_TRUE(buffer.Append(second, sizeof second));
    EXPECT_EQ((Bytes{1, 2, 3, 4, 5}), Contents(buffer));
    // Bytes of the buffer itself, which move as it grows.
    EXPECT_TRUE(buffer.Append(buffer.Data() + 1, 3));
    EXPECT_EQ((Bytes{1, 2, 3, 4, 5, 2, 3, 4}), Contents(buffer));
}

TEST(MessageBuffer, AppendsAnotherArrayWhateverItsLowerBound)
{
    SAFEARRAYBOUND bound{3, 5};
    SAFEARRAY *other = SafeArrayCreate(VT_UI1, 1, &bound);
    ASSERT_NE(nullptr, other);
    const uint8_t bytes[] = {7, 8, 9};
    memcpy(other->pvData, bytes, sizeof bytes);
    MessageBuffer buffer;
    const uint8_t head[] = {0x1F};
    buffer.Append(head, 1);
    EXPECT_TRUE(buffer.AppendArray(other));
    EXPECT_TRUE(buffer.AppendArray(nullptr));
    EXPECT_EQ((Bytes{0x1F, 7, 8, 9}), Contents(buffer));
    SafeArrayDestroy(other);
}

TEST(MessageBuffer, StaysFailedOnceAnAppendFails)
{
    MessageBuffer buffer;
    const uint8_t bytes[] = {1, 2};
    EXPECT_TRUE(buffer.Append(bytes, 2));
    EXPECT_FALSE(buffer.Append(nullptr, 4));
    EXPECT_TRUE(buffer.Failed());
    EXPECT_FALSE(buffer.Append(bytes, 2));
    // Appending more of itself than it holds fails as well.
    MessageBuffer other;
    other.Append(bytes, 2);
    EXPECT_FALSE(other.Append(other.Data() + 1, 2));
    EXPECT_TRUE(other.Failed());
    buffer.Reset();
    EXPECT_FALSE(buffer.Failed());
    EXPECT_TRUE(buffer.Absent());
    EXPECT_TRUE(buffer.Append(bytes, 2));
}

TEST(MessageBuffer, MovesItsArray)
{
    MessageBuffer buffer;
    const uint8_t bytes[] = {1, 2};
    buffer.Append(bytes, 2);
    SAFEARRAY *array = buffer.Array();
    MessageBuffer moved(std::move(buffer));
    EXPECT_TRUE(buffer.Absent());
    EXPECT_EQ(array, moved.Array());
    MessageBuffer assigned;
    assigned.Append(bytes, 1);
    assigned = std::move(moved);
    EXPECT_EQ(array, assigned.Array());
    EXPECT_EQ(array, assigned.Detach());
    EXPECT_TRUE(assigned.Absent());
    SafeArrayDestroy(array);
}

TEST(MessageBuffer, ReadsAnArrayOfAnotherShapeAsEmpty)
{
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    MessageBuffer buffer(SafeArrayCreate(VT_UI1, 2, bounds));
    ASSERT_FALSE(buffer.Absent());
    EXPECT_EQ(0u, buffer.Size());
}

} // namespace
