#include "ReplyChecks.h"

#include "MessageLayout.h"

#include <memory>
#include <vector>

std::string CheckReplyParsers(const uint8_t *reply, size_t size)
{
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size > 0 ? size : 1]);
    std::copy(reply, reply + size, copy.get());
    const uint8_t *bytes = size > 0 ? copy.get() : nullptr;

    std::vector<RingtoneEntry> entries;
    bool listed = ParseListReply(bytes, size, entries);
    if (!listed && !entries.empty())
        return "a refused list reply yielded entries";
    if (listed && (size < 4 || entries.size() > bytes[3]))
        return "more entries than the reply counts";
    // Each entry takes at least 8 bytes plus its name.
    size_t least = 4;
    for (const RingtoneEntry &e : entries)
        least += 8 + 2 * e.name.size();
    if (listed && least > size)
        return "entries larger than the reply";

    if (size >= 4) {
        uint16_t location = static_cast<uint16_t>(bytes[2] << 8 | bytes[3]);
        ReadReply read;
        if (ParseReadReply(bytes, size, location, read)) {
            if (read.data < bytes + 8 + 2 * read.name.size() || read.dataSize > size ||
                read.data + read.dataSize > bytes + size)
                return "read data outside the reply";
            if (read.name.size() != bytes[5])
                return "read name of another length";
        }
    }
    return {};
}
