#include "TestCabinet.h"

#include <cstdint>

namespace {

constexpr uint16_t FLAG_NEXT_CABINET = 0x0002;
constexpr uint16_t FOLDER_CONTINUED_TO_NEXT = 0xFFFE;
constexpr size_t HEADER_SIZE = 36;
constexpr size_t FOLDER_ENTRY_SIZE = 8;
constexpr size_t FILE_ENTRY_FIXED_SIZE = 16;
constexpr size_t DATA_ENTRY_FIXED_SIZE = 8;
constexpr size_t BLOCK_SIZE = 0x8000;
constexpr uint16_t DOS_DATE = (46 << 9) | (12 << 5) | 11;  // 2026-12-11
constexpr uint16_t ARCHIVE = 0x20;

void Put16(std::string& out, uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, static_cast<uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

uint32_t Get32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

std::string BuildCabinet(const std::vector<CabinetFile>& files, bool continuesInNextCabinet)
{
    std::string names;
    if (continuesInNextCabinet)
        names = std::string("next.cab") + '\0' + "Disk 2" + '\0';
    std::string fileEntries;
    std::string data;
    for (size_t i = 0; i < files.size(); ++i) {
        bool continued = continuesInNextCabinet && i + 1 == files.size();
        uint32_t declared = static_cast<uint32_t>(files[i].data.size()) + (continued ? 1000 : 0);
        Put32(fileEntries, declared);
        Put32(fileEntries, static_cast<uint32_t>(data.size()));
        Put16(fileEntries, continued ? FOLDER_CONTINUED_TO_NEXT : 0);
        Put16(fileEntries, DOS_DATE);
        Put16(fileEntries, 0);
        Put16(fileEntries, ARCHIVE);
        fileEntries += files[i].name;
        fileEntries += '\0';
        data += files[i].data;
    }
    std::string blocks;
    uint16_t blockCount = 0;
    for (size_t at = 0; at < data.size() || blockCount == 0; at += BLOCK_SIZE, ++blockCount) {
        std::string chunk = data.substr(at, BLOCK_SIZE);
        Put32(blocks, 0);  // no checksum
        Put16(blocks, static_cast<uint16_t>(chunk.size()));
        Put16(blocks, static_cast<uint16_t>(chunk.size()));
        blocks += chunk;
    }
    if (continuesInNextCabinet) {
        // The first part of a block split between two cabinets: its
        // uncompressed size is only given in the next cabinet.
        const std::string part = "continued";
        Put32(blocks, 0);
        Put16(blocks, static_cast<uint16_t>(part.size()));
        Put16(blocks, 0);
        blocks += part;
        ++blockCount;
    }

    size_t filesAt = HEADER_SIZE + names.size() + FOLDER_ENTRY_SIZE;
    size_t dataAt = filesAt + fileEntries.size();
    std::string cabinet = "MSCF";
    Put32(cabinet, 0);
    Put32(cabinet, static_cast<uint32_t>(dataAt + blocks.size()));
    Put32(cabinet, 0);
    Put32(cabinet, static_cast<uint32_t>(filesAt));
    Put32(cabinet, 0);
    cabinet += '\3';
    cabinet += '\1';
    Put16(cabinet, 1);
    Put16(cabinet, static_cast<uint16_t>(files.size()));
    Put16(cabinet, continuesInNextCabinet ? FLAG_NEXT_CABINET : 0);
    Put16(cabinet, 0x1234);
    Put16(cabinet, 0);
    cabinet += names;
    Put32(cabinet, static_cast<uint32_t>(dataAt));
    Put16(cabinet, blockCount);
    Put16(cabinet, 0);  // stored, not compressed
    return cabinet + fileEntries + blocks;
}

size_t CabinetFileEntry(const std::string& cabinet, size_t index)
{
    size_t at = Get32(cabinet, 16);
    for (; index > 0; --index)
        at = cabinet.find('\0', at + FILE_ENTRY_FIXED_SIZE) + 1;
    return at;
}

size_t CabinetFirstBlockData(const std::string& cabinet)
{
    return Get32(cabinet, HEADER_SIZE) + DATA_ENTRY_FIXED_SIZE;
}
