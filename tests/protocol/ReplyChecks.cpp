#include "ReplyChecks.h"

#include "MessageLayout.h"

#include <algorithm>
#include <memory>

std::string CheckReplyParsers(const uint8_t *reply, size_t size)
{
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size > 0 ? size : 1]);
    std::copy(reply, reply + size, copy.get());
    const uint8_t *bytes = size > 0 ? copy.get() : nullptr;

    ListReplyReader reader;
    bool listed = reader.Start(bytes, size);
    // Each entry takes at least 8 bytes plus its name, all inside the reply.
    size_t count = 0;
    size_t least = 4;
    for (RingtoneEntry e; reader.Next(e);) {
        if (!listed)
            return "a refused list reply yielded entries";
        ++count;
        least += 8 + 2 * e.name.count;
        if (e.name.units < bytes + 4 || e.name.count > size ||
            e.name.units + 2 * e.name.count > bytes + size)
            return "an entry's name outside the reply";
    }
    if (listed && (size < 4 || count > bytes[3]))
        return "more entries than the reply counts";
    if (listed && least > size)
        return "entries larger than the reply";

    if (size >= 4) {
        uint16_t location = static_cast<uint16_t>(bytes[2] << 8 | bytes[3]);
        ReadReply read;
        if (ParseReadReply(bytes, size, location, read)) {
            if (read.data < bytes + 8 + 2 * read.name.count || read.dataSize > size ||
                read.data + read.dataSize > bytes + size)
                return "read data outside the reply";
            if (read.name.units != bytes + 6 || read.name.count != bytes[5])
                return "read name of another length";
        }
    }
    return {};
}
