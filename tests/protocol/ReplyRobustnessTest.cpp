// Replies from the phone are untrusted: every cut and many random replies
// must parse without a read outside them (the host build runs this under the
// address checker).
#include "ReplyChecks.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kListReply = {0x1F, 0x08, 0x00, 0x02, 0x00, 0x0C, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02,
                          0x00, 0x61, 0x00, 0x62, 0x00, 0x0A, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01,
                          0x00, 0x63};
const Bytes kReadReply = {0x1F, 0x13, 0x00, 0x13, 0x00, 0x02, 0x00, 0x61,
                          0x00, 0x62, 0x00, 0x03, 0x4D, 0x54, 0x68};

TEST(ReplyRobustness, EveryCutOfAValidReplyParsesInside)
{
    for (const Bytes &reply : {kListReply, kReadReply}) {
        for (size_t size = 0; size <= reply.size(); ++size)
            EXPECT_EQ("", CheckReplyParsers(reply.data(), size)) << "cut at " << size;
    }
}

TEST(ReplyRobustness, RandomRepliesParseInside)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<size_t> length(0, 80);
    // Half the replies take their bytes from small values, so that counts
    // and lengths are often plausible and the parsers get past their
    // first checks.
    const uint8_t small[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x06, 0x08, 0x0A, 0x0C, 0x13, 0xFF};
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<size_t> smallByte(0, sizeof small - 1);
    for (int i = 0; i < 20000; ++i) {
        Bytes reply(length(random));
        for (uint8_t &b : reply)
            b = (i & 1) ? small[smallByte(random)] : static_cast<uint8_t>(anyByte(random));
        if (reply.size() > 1)
            reply[1] = (i & 2) ? 0x08 : 0x13;
        ASSERT_EQ("", CheckReplyParsers(reply.data(), reply.size())) << "case " << i;
    }
}

} // namespace
