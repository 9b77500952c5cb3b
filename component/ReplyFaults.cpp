#include "ReplyFaults.h"

#include "MessageLayout.h"

void ApplyReplyFault(ReplyFault fault, std::vector<uint8_t> &reply)
{
    if (reply.size() < 2)
        return;
    switch (fault) {
    case ReplyFault::WrongType:
        reply[1] = reply[1] == ListResp ? ReadResp : ListResp;
        break;
    case ReplyFault::Truncated:
        reply.resize(reply.size() / 2 < 2 ? 2 : reply.size() / 2);
        break;
    case ReplyFault::OtherLocation:
        if (reply.size() >= 4 && (reply[1] == ReadResp || reply[1] == WriteResp || reply[1] == EraseResp)) {
            uint16_t location = static_cast<uint16_t>((reply[2] << 8 | reply[3]) + 1);
            reply[2] = static_cast<uint8_t>(location >> 8);
            reply[3] = static_cast<uint8_t>(location);
        }
        break;
    default:
        break;
    }
}
