#include "RequestRecord.h"

#include <windows.h>

#include "DataFolder.h"

std::string RequestRecordPath()
{
    return ComponentDataFile("Requests.log");
}

void RecordRequest(const std::string &oid, const uint8_t *request, size_t size)
{
    std::string path = RequestRecordPath();
    if (path.empty())
        return;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD length = GetFileSize(file, nullptr);
    if (length != INVALID_FILE_SIZE && length > kMaxRequestRecordBytes) {
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    SetFilePointer(file, 0, nullptr, FILE_END);

    static const char kHex[] = "0123456789ABCDEF";
    std::string line = oid + " ";
    line.reserve(line.size() + 2 * size + 2);
    for (size_t i = 0; i < size; ++i) {
        line += kHex[request[i] >> 4];
        line += kHex[request[i] & 15];
    }
    line += "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}
