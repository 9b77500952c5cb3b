#include "HeapArray.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace {

// The array made to hold text, as the program's conversions fill one.
HeapArray<char> TextOf(const char *text)
{
    HeapArray<char> array;
    size_t length = std::strlen(text);
    EXPECT_TRUE(array.Allocate(length));
    std::memcpy(array.Data(), text, length);
    return array;
}

TEST(HeapArray, EmptyArrayReadsAsAnEmptyTerminatedText)
{
    HeapArray<char> text;
    EXPECT_TRUE(text.Empty());
    EXPECT_EQ(nullptr, text.Data());
    ASSERT_NE(nullptr, text.Get());
    EXPECT_EQ('\0', text.Get()[0]);
}

TEST(HeapArray, AllocatedTextIsTerminatedPastItsElements)
{
    HeapArray<char> text = TextOf("abc");
    EXPECT_EQ(3u, text.Size());
    EXPECT_STREQ("abc", text.Get());
}

TEST(HeapArray, AllocatedElementsStartAtZero)
{
    HeapArray<uint16_t> units;
    ASSERT_TRUE(units.Allocate(4));
    for (size_t i = 0; i <= units.Size(); ++i)
        EXPECT_EQ(0u, units.Get()[i]) << "element " << i;
}

TEST(HeapArray, TruncateKeepsTheFirstElementsAndTheTerminator)
{
    HeapArray<char> text = TextOf("abcd");
    text.Truncate(2);
    EXPECT_EQ(2u, text.Size());
    EXPECT_STREQ("ab", text.Get());
    text.Truncate(5);
    EXPECT_EQ(2u, text.Size()) << "a longer count changes nothing";
}

TEST(HeapArray, MoveHandsTheElementsOver)
{
    HeapArray<char> first = TextOf("xy");
    const char *elements = first.Get();
    HeapArray<char> second(std::move(first));
    EXPECT_EQ(elements, second.Get());
    EXPECT_TRUE(first.Empty());
    EXPECT_EQ(nullptr, first.Data());

    HeapArray<char> third = TextOf("old");
    third = std::move(second);
    EXPECT_STREQ("xy", third.Get());
    EXPECT_TRUE(second.Empty());
}

TEST(HeapArray, AnImpossibleSizeIsRefusedAndLeavesTheArrayEmpty)
{
    HeapArray<uint32_t> units;
    ASSERT_TRUE(units.Allocate(3));
    EXPECT_FALSE(units.Allocate(SIZE_MAX / sizeof(uint32_t)));
    EXPECT_TRUE(units.Empty());
    EXPECT_EQ(nullptr, units.Data());
    EXPECT_FALSE(units.Allocate(SIZE_MAX));
}

} // namespace
